#pragma once

#include <QHash>
#include <QSet>
#include <QTableWidget>

// The item grid of the selling screens: every cell a text, a title per
// column in the header, editing only in the columns a screen chooses, and a
// completion hook that runs before the grid moves away from a cell, so that a
// line typed or scanned is finished where the cashier left it.
//
// Rows and columns count from 0 over the item rows (the header is not a row).
class GridCellDelegate;

class TMFStringGrid : public QTableWidget
{
    Q_OBJECT

public:
    explicit TMFStringGrid(QWidget *parent = nullptr);

    void setColumnTitles(const QStringList &titles);
    void setEditableColumns(const QSet<int> &columns);
    bool isEditableColumn(int column) const { return m_editableColumns.contains(column); }
    // Tab first moves the current column from a key to its value, then one
    // column on; the sale screen steers Item to Description and Quantity to
    // Price, so Tab goes Item -> Quantity -> next row's Item.
    void setTabSteering(const QHash<int, int> &steering) { m_tabSteering = steering; }

    QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString &text);
    bool rowHasText(int row) const;
    // Empties every cell and keeps the number of rows.
    void clearCells();
    // Sorts the rows by a column's text, letter case ignored.
    void sortRowsByColumn(int column, Qt::SortOrder order);
    // Makes a cell current and, when it is editable, opens its editor.
    void goToCell(int row, int column);
    void openEditorOnCurrentCell();
    // Hands the text of an open cell editor to its cell, so that what is read
    // is what the cashier sees, also when a button that takes no focus is used.
    void commitOpenEditor();

signals:
    // Before the grid acts on Tab, Enter or an arrow key, and after a mouse
    // press made a cell current: the screen completes the line here.
    void rowCompletionRequested(int row, int column);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    friend class GridCellDelegate;

    // What the grid does with a key, also while a cell is being edited;
    // returns false for keys it leaves to the editor or the view.
    bool handleKey(int key, Qt::KeyboardModifiers modifiers);
    bool handleNavigationKey(int key);
    void leaveGrid(bool forward);
    void discardOpenEditor();
    void moveAfterTab();
    void moveToNextLine();
    void moveDown();
    void fillInsertedRows(const QModelIndex &parent, int first, int last);
    void fillRow(int row);
    Qt::ItemFlags cellFlags(int column) const;
    QTableWidgetItem *newCellItem(int column) const;
    void sortByClickedTitle(int column);

    GridCellDelegate *m_delegate = nullptr;
    QSet<int> m_editableColumns;
    QHash<int, int> m_tabSteering;
    int m_sortedColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::DescendingOrder;
};
