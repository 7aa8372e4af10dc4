// Line completion and sale completion against bare SQLite work through the
// same driver, measured in one run. Not run by CI: build, then run
// bin/bench_sale by hand.

#include "selling/LineCompletion.h"
#include "selling/SaleStore.h"
#include "store/fDM.h"

#include "SaleFixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>

#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;

namespace {
// Runs an operation `times` times and gives the mean in microseconds.
double microsecondsPerRun(int times, const std::function<void(int)> &operation)
{
    QElapsedTimer timer;
    timer.start();
    for (int n = 0; n < times; ++n)
        operation(n);
    return double(timer.nsecsElapsed()) / 1000.0 / times;
}

void report(const QByteArray &what, double ours, double baseline, double goal)
{
    const double ratio = ours / baseline;
    std::printf("%-46s %10.1f us  baseline %10.1f us  ratio %5.2f  (goal %.1fx) %s\n", what.constData(), ours, baseline, ratio,
                goal, ratio <= goal ? "ok" : "MISSED");
}

QSqlQuery prepared(const QSqlDatabase &db, const QString &statement)
{
    QSqlQuery query(db);
    if (!query.prepare(statement))
        qFatal("cannot prepare %s", qPrintable(statement));
    return query;
}

void execOrDie(QSqlQuery &query)
{
    if (!query.exec())
        qFatal("statement failed");
}

QString productID(int n)
{
    return u"P%1"_s.arg(n, 7, 10, QLatin1Char('0'));
}

QString barCode(int n)
{
    return u"7%1"_s.arg(n, 11, 10, QLatin1Char('0'));
}

void fillCatalogue(SaleFixture &store, int products)
{
    QSqlDatabase db = store.dm().DB();
    db.transaction();
    QSqlQuery insert = prepared(db, u"INSERT INTO Products (ProductID, Description, UPCCode, SellingPrice) "
                                    "VALUES (?, ?, ?, ?)"_s);
    for (int n = 0; n < products; ++n) {
        insert.addBindValue(productID(n));
        insert.addBindValue(u"Product number %1"_s.arg(n));
        insert.addBindValue(barCode(n));
        insert.addBindValue(1.0 + n % 500);
        execOrDie(insert);
    }
    db.commit();
}

void fillSales(SaleFixture &store, int sales)
{
    QSqlDatabase db = store.dm().DB();
    db.transaction();
    QSqlQuery sale = prepared(db, u"INSERT INTO Sales (Invoice, CustID, DateTime, Tax, NetSale, PaymentType, "
                                  "Printed, Modified, StoreID) VALUES (?, 0, '2024-01-01 10:00:00', 0.5, 7.0, 1, 1, 1, 'S1')"_s);
    QSqlQuery item = prepared(db, u"INSERT INTO SaleItems (Invoice, ProductID, Quantity, StoreID) VALUES (?, ?, 1, 'S1')"_s);
    for (int n = 0; n < sales; ++n) {
        const QString invoice = u"2401%1"_s.arg(n, 6, 10, QLatin1Char('0'));
        sale.addBindValue(invoice);
        execOrDie(sale);
        item.addBindValue(invoice);
        item.addBindValue(productID(n % 1000));
        execOrDie(item);
    }
    db.commit();
}

// Completing a line by product code and by bar code, against the bare
// indexed SELECTs that find the same product.
void benchLineCompletion(int products)
{
    SaleFixture store;
    fillCatalogue(store, products);
    QSqlDatabase db = store.dm().DB();
    StoreCatalogue catalogue;
    const int target = products / 2;
    const int times = 3000;
    const auto byCode = [&](int) { CompleteLine(productID(target), catalogue); };
    const auto byBarCode = [&](int) { CompleteLine(barCode(target), catalogue); };
    const auto selectByCode = [&](int) {
        QSqlQuery query = prepared(db, u"SELECT Description, SellingPrice FROM Products WHERE ProductID = ?"_s);
        query.addBindValue(productID(target));
        execOrDie(query);
        query.next();
    };
    const auto selectByBarCode = [&](int n) {
        QSqlQuery query = prepared(db, u"SELECT ProductID FROM Products WHERE UPCCode = ?"_s);
        query.addBindValue(barCode(target));
        execOrDie(query);
        query.next();
        selectByCode(n);
    };
    // Warm the caches and the table objects first.
    microsecondsPerRun(200, byBarCode);
    microsecondsPerRun(200, selectByBarCode);
    const QByteArray size = QByteArray::number(products);
    report(QByteArray("line completion by code, " + size + " products"), microsecondsPerRun(times, byCode),
           microsecondsPerRun(times, selectByCode), 3.0);
    report(QByteArray("line completion by bar code, " + size + " products"), microsecondsPerRun(times, byBarCode),
           microsecondsPerRun(times, selectByBarCode), 3.0);
}

SaleRecord threeLineSale(const QString &invoice)
{
    SaleRecord sale;
    sale.invoice = invoice;
    sale.lines = {{productID(1), {}, u"2"_s, u"3.10"_s}, {productID(2), {}, u"1"_s, u"4.99"_s},
                  {productID(3), {}, u"1"_s, u"1.00"_s}};
    sale.subTotal = u"12.19"_s;
    sale.tax = u"0.71"_s;
    sale.discount = u"10%"_s;
    sale.coupon = u"1"_s;
    sale.paymentTypeName = u"Cash"_s;
    sale.storeID = u"S1"_s;
    return sale;
}

// Storing a three-line sale without its receipt, against a bare
// transaction writing the same rows on the same connection (so with the
// same journal and synchronous settings), the two interleaved.
void benchSaleCompletion(int sales)
{
    SaleFixture store;
    store.addPaymentTypes({u"Cash"_s, u"Visa"_s});
    fillSales(store, sales);
    QSqlDatabase db = store.dm().DB();
    QSqlQuery begin(db);
    QSqlQuery commit(db);
    const auto bareSale = [&](const QString &invoice) {
        if (!begin.exec(u"BEGIN IMMEDIATE"_s))
            qFatal("cannot begin");
        const SaleRecord sale = threeLineSale(invoice);
        for (const SaleLine &line : sale.lines) {
            QSqlQuery item = prepared(db, u"INSERT INTO SaleItems (Invoice, ProductID, Quantity, StoreID) "
                                          "VALUES (?, ?, ?, ?)"_s);
            item.addBindValue(invoice);
            item.addBindValue(line.item);
            item.addBindValue(line.quantity.toInt());
            item.addBindValue(sale.storeID);
            execOrDie(item);
        }
        QSqlQuery row = prepared(db, u"INSERT INTO Sales (Invoice, CustID, DateTime, Coupon, Discount, DiscountType, "
                                     "Tax, NetSale, PaymentType, WorkInProgress, Printed, Modified, StoreID) "
                                     "VALUES (?, 0, ?, 1, 0.1, '', 0.71, 12.19, 1, 0, 1, 1, ?)"_s);
        row.addBindValue(invoice);
        row.addBindValue(u"2024-03-15 10:30:00"_s);
        row.addBindValue(sale.storeID);
        execOrDie(row);
        if (!commit.exec(u"COMMIT"_s))
            qFatal("cannot commit");
    };
    // The program opens each table once, at first use; so does the warm-up.
    StoreSale(threeLineSale(u"2402000001"_s), [] {});
    bareSale(u"2498000001"_s);
    const int times = 150;
    double ours = 0;
    double baseline = 0;
    for (int n = 0; n < times; ++n) {
        ours += microsecondsPerRun(1, [&](int) { StoreSale(threeLineSale(u"2403%1"_s.arg(n, 6, 10, QLatin1Char('0'))), [] {}); });
        baseline += microsecondsPerRun(1, [&](int) { bareSale(u"2499%1"_s.arg(n, 6, 10, QLatin1Char('0'))); });
    }
    report(QByteArray("sale completion, " + QByteArray::number(sales) + " sales"), ours / times,
           baseline / times, 1.5);
}
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchLineCompletion(1000);
    benchLineCompletion(100000);
    benchSaleCompletion(10000);
    benchSaleCompletion(1000000);
    return 0;
}
