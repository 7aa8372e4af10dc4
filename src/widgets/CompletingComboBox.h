#pragma once

#include <QComboBox>

// An editable combo box that completes what is typed from its items, inline
// and letter case ignored, and still accepts any text. It tells when the
// user leaves it, which is when screens recompute what depends on it.
class TCompletingComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit TCompletingComboBox(QWidget *parent = nullptr);

    // Replaces the items and keeps the text shown.
    void setEntries(const QStringList &entries);

signals:
    void left();

protected:
    void focusOutEvent(QFocusEvent *event) override;
};
