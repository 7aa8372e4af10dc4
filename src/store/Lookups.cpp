#include "store/Lookups.h"

#include "config/TextHelpers.h"
#include "platform/Clock.h"
#include "store/fDM.h"

// The lookups read through explicit selections, so the tables' own filters
// and index choices (which screens and reports set) are never touched.

namespace {
TTable &opened(TTable &table)
{
    TDM::instance().OpenTable(table);
    return table;
}

QString equalsText(const QString &field, const QString &text)
{
    return field + QStringLiteral(" = ") + QuotedText(text);
}

std::optional<TRecord> firstWhere(TTable &table, const QString &filter, const QString &index = {})
{
    return opened(table).first(Selection{filter, index});
}

// Fills a list from one field of every row, in primary order; the list is
// only replaced once the whole table has been read.
void fillList(QStringList &list, TTable &table, const QString &field, bool skipBlank = false)
{
    QStringList filled;
    const QList<TRecord> rows = opened(table).rows(Selection{});
    for (const TRecord &row : rows) {
        const QString text = row.asString(field);
        if (!skipBlank || !text.trimmed().isEmpty())
            filled.append(text);
    }
    list = filled;
}

QString todayYearMonth()
{
    return Clock::instance().today().toString(QStringLiteral("yyMM"));
}
}

int NextInvoiceCounter()
{
    // The last invoice in key order; an earlier month starts the counter
    // again, the same or a later one (a clock set back) carries it on.
    const std::optional<TRecord> last = opened(TDM::instance().tblSales).last(Selection{});
    QString invoice = last ? last->asString(QStringLiteral("Invoice")) : QString();
    if (invoice.isEmpty() || LeftText(invoice, 4) < todayYearMonth())
        invoice = QStringLiteral("000000");
    return StrToInt(RightText(invoice, 6)) + 1;
}

QString NextInvoiceNumber()
{
    return todayYearMonth() + QStringLiteral("%1").arg(NextInvoiceCounter(), 6, 10, QLatin1Char('0'));
}

bool CustomerExistsByPhone(const QString &phone)
{
    return firstWhere(TDM::instance().tblCustomers, equalsText(QStringLiteral("HomePhone"), phone),
                      QStringLiteral("HomePhone"))
        .has_value();
}

int CustomerIDByPhone(const QString &phone)
{
    const std::optional<TRecord> customer = firstWhere(
        TDM::instance().tblCustomers, equalsText(QStringLiteral("HomePhone"), phone), QStringLiteral("HomePhone"));
    return customer ? customer->asInteger(QStringLiteral("CustID")) : 0;
}

QList<QStringList> CustomerComboRows(const QString &phone)
{
    QList<QStringList> items;
    const QList<TRecord> customers = opened(TDM::instance().tblCustomers)
                                         .rows(Selection{equalsText(QStringLiteral("HomePhone"), phone),
                                                         QStringLiteral("HomePhone")});
    for (const TRecord &customer : customers) {
        items.append({customer.asString(QStringLiteral("CustID")), customer.asString(QStringLiteral("LastName")),
                      QString(), customer.asString(QStringLiteral("FirstName"))});
    }
    return items;
}

CustomerDetails GetCustomer(const QString &custID)
{
    // The number goes into the filter as a number, never as raw text.
    bool isNumber = false;
    const int number = custID.trimmed().toInt(&isNumber);
    if (!isNumber)
        return {};
    const std::optional<TRecord> customer =
        firstWhere(TDM::instance().tblCustomers, QStringLiteral("CustID = %1").arg(number));
    if (!customer)
        return {};
    return {customer->asString(QStringLiteral("LastName")), customer->asString(QStringLiteral("FirstName")),
            customer->asInteger(QStringLiteral("Gender"))};
}

ProductDetails GetProduct(const QString &productID)
{
    const std::optional<TRecord> product =
        firstWhere(TDM::instance().tblProducts, equalsText(QStringLiteral("ProductID"), productID));
    if (!product)
        return {QString(), FixedTwoDecimals(0)};
    return {product->asString(QStringLiteral("Description")),
            FixedTwoDecimals(product->asFloat(QStringLiteral("SellingPrice")))};
}

QString ProductIDByUPC(const QString &upc)
{
    const std::optional<TRecord> product = firstWhere(TDM::instance().tblProducts,
                                                      equalsText(QStringLiteral("UPCCode"), upc),
                                                      QStringLiteral("UPCCode"));
    return product ? product->asString(QStringLiteral("ProductID")) : QString();
}

bool IsUPCCode(const QString &text)
{
    return (text.size() == 12 || text.size() == 13) && IsNumberText(text);
}

QString PaymentTypeName(int id)
{
    const std::optional<TRecord> type = opened(TDM::instance().tblPaymentTypes).findKey({id});
    return type ? type->asString(QStringLiteral("PaymentType")) : QString();
}

int PaymentTypeID(const QString &name)
{
    const std::optional<TRecord> type =
        opened(TDM::instance().tblPaymentTypes).findKey({name}, QStringLiteral("PaymentType"));
    return type ? type->asInteger(QStringLiteral("ID")) : -1;
}

QString EmployeeIDByName(const QString &name)
{
    const std::optional<TRecord> employee =
        opened(TDM::instance().tblEmployees).findKey({name}, QStringLiteral("Name"));
    return employee ? employee->asString(QStringLiteral("EmployeeID")) : QString();
}

void FillPhoneList(QStringList &list)
{
    fillList(list, TDM::instance().tblCustomers, QStringLiteral("HomePhone"), true);
}

void FillPaymentTypeList(QStringList &list)
{
    fillList(list, TDM::instance().tblPaymentTypes, QStringLiteral("PaymentType"));
}

void FillProductList(QStringList &list)
{
    fillList(list, TDM::instance().tblProducts, QStringLiteral("ProductID"));
}

void FillStoreList(QStringList &list)
{
    fillList(list, TDM::instance().tblStores, QStringLiteral("StoreID"));
}

void FillSupplierList(QStringList &list)
{
    fillList(list, TDM::instance().tblSuppliers, QStringLiteral("SupplierID"));
}

QString ExpandDateMacro(const QString &text)
{
    QString expanded = text;
    return expanded.replace(QStringLiteral("%DATE%"), IsoDateText(Clock::instance().today()),
                            Qt::CaseInsensitive);
}
