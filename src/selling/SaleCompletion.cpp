#include "selling/SaleCompletion.h"

#include "config/TextHelpers.h"
#include "selling/SaleError.h"

#include <algorithm>
#include <cmath>

QString CompletionRefusal(const SaleCompletionState &state)
{
    if (state.paymentIndex < 0)
        return QStringLiteral("You must choose a payment type.");
    if (state.paymentIndex == 0 && LenientNumber(state.grandTotal) > LenientNumber(state.cashTendered))
        return QStringLiteral("You must enter the amount of cash tendered.");
    if (state.receiptPrinted)
        return QStringLiteral("This receipt has already been printed.");
    return QString();
}

std::optional<int> SaleItemQuantity(const SaleLine &line)
{
    if (line.quantity.isEmpty())
        return std::nullopt;
    try {
        return StrToInt(line.quantity);
    } catch (const EConvertError &) {
        throw SaleError(QStringLiteral("The quantity '%1' of item %2 is not a whole number.")
                            .arg(line.quantity, line.item));
    }
}

QList<SaleItemRow> SaleItemRows(const QList<SaleLine> &lines)
{
    QList<SaleItemRow> rows;
    for (const SaleLine &line : lines) {
        if (line.item.isEmpty())
            continue;
        const std::optional<int> quantity = SaleItemQuantity(line);
        auto row = std::find_if(rows.begin(), rows.end(),
                                [&line](const SaleItemRow &r) { return r.productID == line.item; });
        if (row == rows.end()) {
            rows.append({line.item, quantity});
        } else if (quantity) {
            row->quantity = row->quantity.value_or(0) + *quantity;
        }
    }
    return rows;
}

int PiecesOfLine(const SaleLine &line)
{
    return int(std::trunc(LenientNumber(line.quantity)));
}

int CouponAmount(const QString &couponText)
{
    try {
        return StrToInt(couponText);
    } catch (const EConvertError &) {
        throw SaleError(QStringLiteral("The coupon '%1' is not a whole amount.").arg(couponText));
    }
}
