#pragma once

#include <QString>

// Stock kept as purchase batches in InventoryAmounts. Both run inside the
// caller's transaction and neither commits nor rolls back; stock problems
// are written to "Errors.log" in the working folder at once and stay there
// whatever the caller does afterwards.

// Takes pieces off the store's on-hand batches of the product, oldest
// purchase first. A product without on-hand batches gets a batch of today
// holding the negative pieces; pieces beyond the stock on hand are logged.
void DepleteStock(const QString &store, const QString &product, int pieces);

// Puts pieces back onto the newest on-hand batch of the product at the
// store, or onto a new batch of today when it has none.
void RestoreStock(const QString &store, const QString &product, int pieces);

// The log file of stock problems (a bare name: the working folder).
inline constexpr auto StockErrorLogName = "Errors.log";
