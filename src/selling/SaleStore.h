#pragma once

#include "selling/LineCompletion.h"
#include "selling/SaleTotals.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

// The products as the store database knows them.
class StoreCatalogue final : public ProductLookup
{
public:
    QString productIDByUPC(const QString &upc) override;
    ProductDetails product(const QString &productID) override;
};

// A completed sale as the screen shows it, every amount a box's text.
struct SaleRecord {
    QString invoice;
    QList<SaleLine> lines;
    QString subTotal;
    QString tax;
    QString discount;
    QString discountType;
    QString coupon;
    QString paymentTypeName;
    QString storeID;
    // Takes the sold pieces out of the store's stock, line by line.
    bool depleteStock = false;
};

// Stores the sale in one transaction: stock taken off per line when asked,
// one SaleItems row per product, the Sales row, then the receipt, then the
// commit, so the records are permanent only once the receipt has run. On
// any error everything is rolled back and the error travels on; stock
// problems already written to Errors.log stay there.
void StoreSale(const SaleRecord &sale, const std::function<void()> &runReceipt);

// Runs the receipt template of a stored invoice, previewed or printed as the
// configuration says; the caller has checked the default printer.
void RunSaleReceipt(const QString &invoice);

// What the cashier is told when a sale could not be stored.
QString SaleNotStoredMessage(const QString &reason);
