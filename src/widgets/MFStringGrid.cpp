#include "widgets/MFStringGrid.h"

#include "config/TextHelpers.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>

#include <algorithm>

// Keys typed into an open cell editor go to the grid first, so that Tab,
// Enter and the arrows complete the line whether or not a cell is being
// edited; the editor keeps Left and Right while the caret is inside the text.
class GridCellDelegate final : public QStyledItemDelegate
{
public:
    explicit GridCellDelegate(TMFStringGrid *grid)
        : QStyledItemDelegate(grid)
        , m_grid(grid)
    {
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        m_editor = QStyledItemDelegate::createEditor(parent, option, index);
        return m_editor;
    }

    QWidget *openEditor() const { return m_editor; }

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        if (auto *line = qobject_cast<QLineEdit *>(editor))
            model->setData(index, LineBreaksToBlanks(line->text()), Qt::EditRole);
        else
            QStyledItemDelegate::setModelData(editor, model, index);
    }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        auto *editor = qobject_cast<QLineEdit *>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            const auto *press = static_cast<QKeyEvent *>(event);
            if (isGridKey(editor, press->key())) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                m_grid->handleKey(press->key(), press->modifiers());
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    static bool isGridKey(const QLineEdit *editor, int key)
    {
        switch (key) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Up:
        case Qt::Key_Down:
            return true;
        case Qt::Key_Left:
            return editor->cursorPosition() == 0 && !editor->hasSelectedText();
        case Qt::Key_Right:
            return editor->cursorPosition() == editor->text().size() && !editor->hasSelectedText();
        default:
            return false;
        }
    }

    TMFStringGrid *m_grid;
    mutable QPointer<QWidget> m_editor;
};

TMFStringGrid::TMFStringGrid(QWidget *parent)
    : QTableWidget(parent)
{
    m_delegate = new GridCellDelegate(this);
    setItemDelegate(m_delegate);
    setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::AnyKeyPressed
                    | QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(true);
    setSortingEnabled(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(true);
    connect(model(), &QAbstractItemModel::rowsInserted, this, &TMFStringGrid::fillInsertedRows);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &TMFStringGrid::sortByClickedTitle);
}

void TMFStringGrid::setColumnTitles(const QStringList &titles)
{
    setColumnCount(int(titles.size()));
    setHorizontalHeaderLabels(titles);
    for (int row = 0; row < rowCount(); ++row)
        fillRow(row);
}

void TMFStringGrid::setEditableColumns(const QSet<int> &columns)
{
    m_editableColumns = columns;
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < columnCount(); ++column) {
            if (QTableWidgetItem *cell = item(row, column))
                cell->setFlags(cellFlags(column));
        }
    }
}

QString TMFStringGrid::cellText(int row, int column) const
{
    const QTableWidgetItem *cell = item(row, column);
    return cell ? cell->text() : QString();
}

void TMFStringGrid::setCellText(int row, int column, const QString &text)
{
    if (QTableWidgetItem *cell = item(row, column))
        cell->setText(text);
}

bool TMFStringGrid::rowHasText(int row) const
{
    for (int column = 0; column < columnCount(); ++column) {
        if (!cellText(row, column).isEmpty())
            return true;
    }
    return false;
}

void TMFStringGrid::clearCells()
{
    // An editor left open would write its old text back into the emptied cell.
    discardOpenEditor();
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < columnCount(); ++column)
            setCellText(row, column, QString());
    }
}

void TMFStringGrid::sortRowsByColumn(int column, Qt::SortOrder order)
{
    commitOpenEditor();
    QList<QStringList> rows;
    for (int row = 0; row < rowCount(); ++row) {
        QStringList texts;
        for (int c = 0; c < columnCount(); ++c)
            texts.append(cellText(row, c));
        rows.append(texts);
    }
    std::stable_sort(rows.begin(), rows.end(), [column, order](const QStringList &a, const QStringList &b) {
        const int comparison = a.at(column).compare(b.at(column), Qt::CaseInsensitive);
        return order == Qt::AscendingOrder ? comparison < 0 : comparison > 0;
    });
    for (int row = 0; row < rowCount(); ++row) {
        for (int c = 0; c < columnCount(); ++c)
            setCellText(row, c, rows.at(row).at(c));
    }
}

void TMFStringGrid::keyPressEvent(QKeyEvent *event)
{
    if (handleKey(event->key(), event->modifiers()))
        event->accept();
    else
        QTableWidget::keyPressEvent(event);
}

// A window that is activated after its cell editor opened gives the focus
// back to the grid; hand it on, so that the next scan types into the cell.
void TMFStringGrid::focusInEvent(QFocusEvent *event)
{
    QTableWidget::focusInEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason)
        return;
    if (QWidget *editor = m_delegate->openEditor(); editor && editor->isVisible())
        editor->setFocus(event->reason());
    else
        openEditorOnCurrentCell();
}

bool TMFStringGrid::handleKey(int key, Qt::KeyboardModifiers modifiers)
{
    const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    if (!tab || !(modifiers & Qt::ControlModifier))
        return handleNavigationKey(key);
    if (currentRow() >= 0 && currentColumn() >= 0)
        emit rowCompletionRequested(currentRow(), currentColumn());
    leaveGrid(key == Qt::Key_Tab && !(modifiers & Qt::ShiftModifier));
    return true;
}

// Tab stays inside the grid, so Ctrl+Tab (and Ctrl+Shift+Tab) is how the
// keyboard moves on to the next (or previous) control of the window.
void TMFStringGrid::leaveGrid(bool forward)
{
    QWidget *next = this;
    do {
        next = forward ? next->nextInFocusChain() : next->previousInFocusChain();
    } while (next != this
             && (isAncestorOf(next) || !next->isEnabled() || !next->isVisible()
                 || !(next->focusPolicy() & Qt::TabFocus)));
    next->setFocus(Qt::TabFocusReason);
}

void TMFStringGrid::mousePressEvent(QMouseEvent *event)
{
    QTableWidget::mousePressEvent(event);
    if (currentRow() >= 0 && currentColumn() >= 0)
        emit rowCompletionRequested(currentRow(), currentColumn());
}

bool TMFStringGrid::handleNavigationKey(int key)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        break;
    default:
        return false;
    }
    if (currentRow() < 0 || currentColumn() < 0)
        return false;
    commitOpenEditor();
    emit rowCompletionRequested(currentRow(), currentColumn());
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        moveAfterTab();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        moveToNextLine();
        break;
    case Qt::Key_Down:
        moveDown();
        break;
    case Qt::Key_Up:
        setCurrentCell(std::max(currentRow() - 1, 0), currentColumn());
        break;
    case Qt::Key_Left:
        setCurrentCell(currentRow(), std::max(currentColumn() - 1, 0));
        break;
    default:
        setCurrentCell(currentRow(), std::min(currentColumn() + 1, columnCount() - 1));
        break;
    }
    openEditorOnCurrentCell();
    return true;
}

void TMFStringGrid::commitOpenEditor()
{
    // Closing the open editor hands its text to the model first.
    QWidget *editor = m_delegate->openEditor();
    if (state() != QAbstractItemView::EditingState || !editor)
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TMFStringGrid::discardOpenEditor()
{
    QWidget *editor = m_delegate->openEditor();
    if (state() == QAbstractItemView::EditingState && editor)
        closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TMFStringGrid::moveAfterTab()
{
    int row = currentRow();
    int column = m_tabSteering.value(currentColumn(), currentColumn()) + 1;
    if (column >= columnCount()) {
        column = 0;
        ++row;
    }
    if (row >= rowCount())
        row = 0;
    setCurrentCell(row, column);
}

// Enter finishes a line the way a scanner sends it: the cursor goes to the
// first editable cell of the next line, which is added when needed.
void TMFStringGrid::moveToNextLine()
{
    const int row = currentRow();
    if (row == rowCount() - 1) {
        if (!rowHasText(row))
            return;
        insertRow(rowCount());
    }
    const auto first = std::min_element(m_editableColumns.cbegin(), m_editableColumns.cend());
    setCurrentCell(row + 1, first == m_editableColumns.cend() ? 0 : *first);
}

void TMFStringGrid::moveDown()
{
    const int row = currentRow();
    if (row < rowCount() - 1) {
        setCurrentCell(row + 1, currentColumn());
        return;
    }
    if (!rowHasText(row))
        return;
    insertRow(rowCount());
    setCurrentCell(row + 1, currentColumn());
}

void TMFStringGrid::fillInsertedRows(const QModelIndex &, int first, int last)
{
    for (int row = first; row <= last; ++row)
        fillRow(row);
}

void TMFStringGrid::fillRow(int row)
{
    for (int column = 0; column < columnCount(); ++column) {
        if (!item(row, column))
            setItem(row, column, newCellItem(column));
    }
}

Qt::ItemFlags TMFStringGrid::cellFlags(int column) const
{
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_editableColumns.contains(column))
        flags |= Qt::ItemIsEditable;
    return flags;
}

QTableWidgetItem *TMFStringGrid::newCellItem(int column) const
{
    auto *cell = new QTableWidgetItem;
    cell->setFlags(cellFlags(column));
    return cell;
}

void TMFStringGrid::goToCell(int row, int column)
{
    setCurrentCell(row, column);
    setFocus();
    openEditorOnCurrentCell();
}

void TMFStringGrid::openEditorOnCurrentCell()
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && isEditableColumn(current.column()) && state() != QAbstractItemView::EditingState)
        edit(current);
}

void TMFStringGrid::sortByClickedTitle(int column)
{
    m_sortOrder = (column == m_sortedColumn && m_sortOrder == Qt::AscendingOrder) ? Qt::DescendingOrder
                                                                                   : Qt::AscendingOrder;
    m_sortedColumn = column;
    sortRowsByColumn(column, m_sortOrder);
}
