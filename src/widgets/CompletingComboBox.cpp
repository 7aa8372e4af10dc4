#include "widgets/CompletingComboBox.h"

#include <QCompleter>
#include <QLineEdit>

TCompletingComboBox::TCompletingComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    completer()->setCompletionMode(QCompleter::InlineCompletion);
    completer()->setCaseSensitivity(Qt::CaseInsensitive);
}

void TCompletingComboBox::setEntries(const QStringList &entries)
{
    const QString shown = currentText();
    clear();
    addItems(entries);
    setEditText(shown);
}

void TCompletingComboBox::focusOutEvent(QFocusEvent *event)
{
    QComboBox::focusOutEvent(event);
    emit left();
}
