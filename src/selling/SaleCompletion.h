#pragma once

#include "selling/SaleTotals.h"

#include <QList>
#include <QString>

#include <optional>

// What the sale screen shows when Print is pressed, the part the checks look at.
struct SaleCompletionState {
    // -1 when no payment method is chosen; 0 is cash.
    int paymentIndex = -1;
    QString grandTotal;
    QString cashTendered;
    bool receiptPrinted = false;
};

// The message that refuses a completion, empty when the sale may be stored.
QString CompletionRefusal(const SaleCompletionState &state);

// One SaleItems row: a product and the pieces of all its lines. The quantity
// is empty when every line of the product left its Quantity cell empty.
struct SaleItemRow {
    QString productID;
    std::optional<int> quantity;
};

// The quantity a line stores, empty for an empty Quantity cell. Raises
// SaleError when it is not a whole number.
std::optional<int> SaleItemQuantity(const SaleLine &line);

// One row per product, in the order the products first appear, with the
// quantities of its lines added, so that a product scanned twice does not
// collide with itself on the SaleItems key. Lines without an item are
// skipped. Raises SaleError when a quantity is not a whole number.
QList<SaleItemRow> SaleItemRows(const QList<SaleLine> &lines);

// The pieces taken out of stock for one line: the whole-number part of
// what the Quantity cell holds, read leniently.
int PiecesOfLine(const SaleLine &line);

// The coupon as stored with the sale: the whole text read as a whole amount.
// Raises SaleError when it is not one.
int CouponAmount(const QString &couponText);
