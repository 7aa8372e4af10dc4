#include "widgets/ColumnComboBox.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTreeView>

TColumnComboBox::TColumnComboBox(int columns, QWidget *parent)
    : QComboBox(parent)
    , m_items(new QStandardItemModel(0, columns, this))
{
    auto *list = new QTreeView(this);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setAllColumnsShowFocus(true);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setModel(m_items);
    setView(list);
    setModelColumn(0);
}

void TColumnComboBox::beginUpdate()
{
    setUpdatesEnabled(false);
}

void TColumnComboBox::endUpdate()
{
    setUpdatesEnabled(true);
    update();
}

void TColumnComboBox::clearRows()
{
    m_items->removeRows(0, m_items->rowCount());
}

void TColumnComboBox::addRow(const QStringList &columns)
{
    QList<QStandardItem *> row;
    for (int column = 0; column < m_items->columnCount(); ++column)
        row.append(new QStandardItem(columns.value(column)));
    m_items->appendRow(row);
}

void TColumnComboBox::fillRows(const QList<QStringList> &rows)
{
    beginUpdate();
    clearRows();
    for (const QStringList &row : rows)
        addRow(row);
    endUpdate();
}

int TColumnComboBox::rowCountOfItems() const
{
    return m_items->rowCount();
}

QString TColumnComboBox::columnText(int row, int column) const
{
    const QStandardItem *cell = m_items->item(row, column);
    return cell ? cell->text() : QString();
}

QString TColumnComboBox::selectedColumnText(int column) const
{
    return currentIndex() < 0 ? QString() : columnText(currentIndex(), column);
}
