#pragma once

#include <QGroupBox>

class QAbstractButton;
class QButtonGroup;

// A captioned group of radio buttons built from a list of texts, with the
// chosen item's index (-1 when none is chosen).
class TRadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    explicit TRadioGroup(const QString &caption, QWidget *parent = nullptr);

    void setItems(const QStringList &items);
    QStringList items() const;
    int itemIndex() const;
    // -1 chooses nothing.
    void setItemIndex(int index);
    QString chosenText() const;
    QList<QAbstractButton *> buttons() const;

signals:
    void clicked();

private:
    QButtonGroup *m_buttons;
    // The texts as given; a button shows its "&" doubled, not as a shortcut mark.
    QStringList m_items;
};
