#include "selling/SaleStore.h"

#include "config/Config.h"
#include "config/TextHelpers.h"
#include "platform/Clock.h"
#include "report/ReportRunning.h"
#include "selling/SaleCompletion.h"
#include "store/Lookups.h"
#include "store/ReportRows.h"
#include "store/Stock.h"
#include "store/fDM.h"

using namespace Qt::StringLiterals;

QString StoreCatalogue::productIDByUPC(const QString &upc)
{
    return ProductIDByUPC(upc);
}

ProductDetails StoreCatalogue::product(const QString &productID)
{
    return GetProduct(productID);
}

namespace {
void depleteStockOfLines(const SaleRecord &sale)
{
    for (const SaleLine &line : sale.lines) {
        if (line.item.isEmpty())
            continue;
        DepleteStock(sale.storeID, line.item, PiecesOfLine(line));
        // A line that cannot be stored ends the sale here, before the lines
        // after it log stock problems for a sale that never happens.
        SaleItemQuantity(line);
    }
}

void storeSaleItems(TDM &dm, const SaleRecord &sale)
{
    dm.OpenTable(dm.tblSalesItems);
    const QList<SaleItemRow> rows = SaleItemRows(sale.lines);
    for (const SaleItemRow &row : rows) {
        TRecord item = dm.tblSalesItems.newRecord();
        item.setValue(u"Invoice"_s, sale.invoice);
        item.setValue(u"ProductID"_s, row.productID);
        if (row.quantity)
            item.setValue(u"Quantity"_s, *row.quantity);
        item.setValue(u"StoreID"_s, sale.storeID);
        dm.tblSalesItems.post(item);
    }
}

void storeSaleRow(TDM &dm, const SaleRecord &sale)
{
    dm.OpenTable(dm.tblSales);
    TRecord row = dm.tblSales.newRecord();
    row.setValue(u"Invoice"_s, sale.invoice);
    row.setValue(u"CustID"_s, 0);
    row.setValue(u"DateTime"_s, Clock::instance().now());
    row.setValue(u"Tax"_s, StrToFloat(sale.tax));
    row.setValue(u"NetSale"_s, StrToFloat(sale.subTotal));
    row.setValue(u"Discount"_s, LenientNumber(sale.discount) / 100);
    row.setValue(u"DiscountType"_s, sale.discountType);
    row.setValue(u"Coupon"_s, CouponAmount(sale.coupon));
    row.setValue(u"PaymentType"_s, PaymentTypeID(sale.paymentTypeName));
    row.setValue(u"WorkInProgress"_s, false);
    row.setValue(u"Printed"_s, true);
    row.setValue(u"Modified"_s, true);
    row.setValue(u"StoreID"_s, sale.storeID);
    dm.tblSales.post(row);
}

// The receipt queries are restricted to one invoice while the receipt runs
// and released afterwards on every path.
class ReceiptQueries
{
public:
    explicit ReceiptQueries(TDM &dm, const QString &invoice)
        : m_dm(dm)
    {
        prepare(m_dm.qryInvoice,
                u"SELECT s.Invoice, s.Discount, s.Coupon, s.Tax, s.NetSale, p.PaymentType FROM PaymentTypes p "
                "INNER JOIN Sales s ON (p.ID = s.PaymentType)"_s,
                invoice);
        prepare(m_dm.qryInvoiceItems,
                u"SELECT p.Description, p.SellingPrice, si.ProductID, si.Quantity, si.Invoice FROM Products p "
                "INNER JOIN SaleItems si ON (p.ProductID = si.ProductID)"_s,
                invoice);
    }
    ~ReceiptQueries()
    {
        for (TQuery *query : {&m_dm.qryInvoice, &m_dm.qryInvoiceItems}) {
            query->close();
            query->setFiltered(false);
        }
    }
    ReceiptQueries(const ReceiptQueries &) = delete;
    ReceiptQueries &operator=(const ReceiptQueries &) = delete;

private:
    static void prepare(TQuery &query, const QString &statement, const QString &invoice)
    {
        query.close();
        query.setSQL(statement);
        query.setFilter(u"Invoice="_s + QuotedText(invoice));
        query.setFiltered(true);
        query.open();
    }

    TDM &m_dm;
};
}

void StoreSale(const SaleRecord &sale, const std::function<void()> &runReceipt)
{
    TDM &dm = TDM::instance();
    Transaction transaction(dm.DB(), u"Sales"_s);
    if (sale.depleteStock)
        depleteStockOfLines(sale);
    storeSaleItems(dm, sale);
    storeSaleRow(dm, sale);
    runReceipt();
    transaction.commit();
}

void RunSaleReceipt(const QString &invoice)
{
    TDM &dm = TDM::instance();
    ReceiptQueries queries(dm, invoice);
    ReportRun run;
    run.templatePath = ReportTemplatePath(u"rSale.frf"_s);
    run.output = TConfig::instance().PrintPreview ? ReportOutput::Preview : ReportOutput::Print;
    run.checkPrinter = false;
    run.datasets = {{u"frDBDataSet1"_s, ReportRows(dm.qryInvoice)}, {u"frDBDataSet2"_s, ReportRows(dm.qryInvoiceItems)}};
    // The receipt is headed with the shop it comes from.
    const TConfig &config = TConfig::instance();
    run.variables = {{u"StoreName"_s, config.StoreName}, {u"StoreLocation"_s, config.StoreLocation}};
    RunReport(run);
}

QString SaleNotStoredMessage(const QString &reason)
{
    return u"The sale was not stored. "_s + reason;
}
