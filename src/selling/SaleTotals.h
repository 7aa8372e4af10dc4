#pragma once

#include <QList>
#include <QString>

// One line of the sale grid, as the cashier sees it: every cell a text.
struct SaleLine {
    QString item;
    QString description;
    QString quantity;
    QString price;
};

// What the amount boxes show after the totals run.
struct SaleTotals {
    QString subTotal;
    QString tax;
    QString grandTotal;
};

// Subtotal of the priced lines, less the discount percent and the coupon,
// plus tax. Raises EConvertError for a priced line whose quantity or price
// is not a number.
SaleTotals ComputeSaleTotals(const QList<SaleLine> &lines, const QString &discountText,
                             const QString &couponText, double taxRate);

// Tendered minus grand total, in general notation (6.63, 5, 0.5).
QString ChangeText(const QString &tenderedText, const QString &grandTotalText);

// Tendered cash and change only mean something for the first payment type, cash.
bool CashBoxesEnabled(int chosenPaymentIndex);
