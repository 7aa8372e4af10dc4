#include "widgets/AmountEdit.h"

#include "config/TextHelpers.h"

#include <QLocale>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

TAmountEdit::TAmountEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void TAmountEdit::applyAmountMask()
{
    const QString separator = QRegularExpression::escape(QLocale().decimalPoint());
    const QRegularExpression amount(QStringLiteral("-?\\d*(%1\\d{0,2})?").arg(separator));
    setValidator(new QRegularExpressionValidator(amount, this));
}

void TAmountEdit::setAmount(double value)
{
    setText(FixedTwoDecimals(value));
}

double TAmountEdit::amount() const
{
    return LenientNumber(text());
}

void TAmountEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    emit left();
}
