#include "store/Stock.h"

#include "config/SystemHelpers.h"
#include "config/TextHelpers.h"
#include "platform/Clock.h"
#include "store/fDM.h"

namespace {
const QString Quantity = QStringLiteral("Quantity");
const QString ByPurchaseDate = QStringLiteral("PurchaseDate");
// Empty, not null: the batches written here have an empty supplier.
const QString NoSupplier = QStringLiteral("");
constexpr int OnHand = 0;

TTable &inventoryAmounts()
{
    TTable &table = TDM::instance().tblInventoryAmounts;
    TDM::instance().OpenTable(table);
    return table;
}

QString onHandFilter(const QString &store, const QString &product)
{
    return QStringLiteral("StoreID=") + QuotedText(store) + QStringLiteral(" AND ProductID=") + QuotedText(product)
        + QStringLiteral(" AND InventoryType=0");
}

void logStockError(const QString &line)
{
    AppendLine(QLatin1String(StockErrorLogName), QStringLiteral("Inventory error: ") + line);
}

// The batch of today with no supplier that a stock operation writes. A
// product sold twice in one day without stock already has one (with a
// negative quantity); the second sale adds to it instead of colliding with
// it on the table's key.
void addToTodaysBatch(TTable &table, const QString &store, const QString &product, int pieces)
{
    const QDate today = Clock::instance().today();
    std::optional<TRecord> batch = table.findKey({store, NoSupplier, product, IsoDateText(today), OnHand});
    if (batch) {
        batch->setValue(Quantity, batch->asInteger(Quantity) + pieces);
        table.post(*batch);
        return;
    }
    TRecord created = table.newRecord();
    created.setValue(QStringLiteral("StoreID"), store);
    created.setValue(QStringLiteral("SupplierID"), NoSupplier);
    created.setValue(QStringLiteral("ProductID"), product);
    created.setValue(QStringLiteral("PurchaseDate"), today);
    created.setValue(QStringLiteral("InventoryType"), OnHand);
    created.setValue(Quantity, pieces);
    table.post(created);
}

// Walks the batches oldest first; returns the pieces that found no stock.
int takeFromBatches(TTable &table, QList<TRecord> batches, int pieces)
{
    int remaining = pieces;
    for (TRecord &batch : batches) {
        if (remaining == 0)
            break;
        const int quantity = batch.asInteger(Quantity);
        if (quantity >= remaining) {
            batch.setValue(Quantity, quantity - remaining);
            remaining = 0;
        } else {
            batch.setValue(Quantity, 0);
            remaining -= quantity;
        }
        table.post(batch);
    }
    return remaining;
}
}

void DepleteStock(const QString &store, const QString &product, int pieces)
{
    TTable &table = inventoryAmounts();
    const QList<TRecord> batches =
        table.rows(Selection{onHandFilter(store, product) + QStringLiteral(" AND Quantity >= 0"), ByPurchaseDate});
    if (batches.isEmpty()) {
        addToTodaysBatch(table, store, product, -pieces);
        logStockError(product + QStringLiteral(" at ") + store + QStringLiteral(" not found but ")
                      + QString::number(pieces) + QStringLiteral(" pieces sold."));
        return;
    }
    const int remaining = takeFromBatches(table, batches, pieces);
    if (remaining != 0) {
        logStockError(product + QStringLiteral(" at ") + store + QStringLiteral(" missing ")
                      + QString::number(remaining) + QStringLiteral(" pieces."));
    }
}

void RestoreStock(const QString &store, const QString &product, int pieces)
{
    TTable &table = inventoryAmounts();
    std::optional<TRecord> newest = table.last(Selection{onHandFilter(store, product), ByPurchaseDate});
    if (!newest) {
        addToTodaysBatch(table, store, product, pieces);
        return;
    }
    newest->setValue(Quantity, newest->asInteger(Quantity) + pieces);
    table.post(*newest);
}
