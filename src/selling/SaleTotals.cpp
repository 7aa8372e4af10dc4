#include "selling/SaleTotals.h"

#include "config/TextHelpers.h"

namespace {
double subTotalOf(const QList<SaleLine> &lines)
{
    double sub = 0;
    for (const SaleLine &line : lines) {
        // A line typed but never completed has no price and does not count.
        if (line.price.trimmed().isEmpty())
            continue;
        sub += StrToFloat(line.quantity) * StrToFloat(line.price);
    }
    return sub;
}
}

SaleTotals ComputeSaleTotals(const QList<SaleLine> &lines, const QString &discountText,
                             const QString &couponText, double taxRate)
{
    const double sub = subTotalOf(lines);
    double net = sub - sub * LenientNumber(discountText) / 100;
    net -= LenientNumber(couponText);
    SaleTotals totals;
    totals.subTotal = FixedTwoDecimals(sub);
    totals.tax = FixedTwoDecimals(net * taxRate);
    // The tax counts as shown, rounded to cents; the net amount unrounded.
    totals.grandTotal = FixedTwoDecimals(StrToFloat(totals.tax) + net);
    return totals;
}

QString ChangeText(const QString &tenderedText, const QString &grandTotalText)
{
    return GeneralNumberText(LenientNumber(tenderedText) - LenientNumber(grandTotalText));
}

bool CashBoxesEnabled(int chosenPaymentIndex)
{
    return chosenPaymentIndex == 0;
}
