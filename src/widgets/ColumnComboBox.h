#pragma once

#include <QComboBox>

class QStandardItemModel;

// A combo box whose drop-down list shows several text columns per item; the
// box itself shows one of them. Callers read any column of the chosen item.
class TColumnComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit TColumnComboBox(int columns, QWidget *parent = nullptr);

    // Stops repainting while a caller refills the list; endUpdate repaints.
    void beginUpdate();
    void endUpdate();
    void clearRows();
    void addRow(const QStringList &columns);
    // Replaces every row, without repainting in between.
    void fillRows(const QList<QStringList> &rows);
    int rowCountOfItems() const;
    QString columnText(int row, int column) const;
    // The column text of the chosen item, empty when none is chosen.
    QString selectedColumnText(int column) const;

private:
    QStandardItemModel *m_items;
};
