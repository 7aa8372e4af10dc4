#include "store/Lookups.h"

#include "config/TextHelpers.h"
#include "platform/Clock.h"
#include "store/Sql.h"
#include "store/fDM.h"

#include <QSqlQuery>
#include <QSqlRecord>

// The lookups read with statements of their own, so the tables' filters and
// index choices (which screens and reports set) are never touched.

namespace {
TTable &opened(TTable &table)
{
    TDM::instance().OpenTable(table);
    return table;
}

// The rows, in the given order, whose field equals the value; only the
// fields asked for are read, and the value is bound, never pasted in.
QSqlQuery selectWhere(TTable &table, const QString &fields, const QString &field, const QVariant &value,
                      const QString &order, const QString &limit = {})
{
    opened(table);
    return Sql::run(TDM::instance().DB(),
                    QStringLiteral("SELECT ") + fields + QStringLiteral(" FROM ") + Sql::quoted(table.name())
                        + QStringLiteral(" WHERE ") + Sql::quoted(field) + QStringLiteral(" = ? ORDER BY ") + order
                        + limit,
                    {value}, table.name());
}

std::optional<QSqlRecord> firstWhere(TTable &table, const QString &fields, const QString &field,
                                     const QVariant &value, const QString &order)
{
    QSqlQuery query = selectWhere(table, fields, field, value, order, QStringLiteral(" LIMIT 1"));
    if (!query.next())
        return std::nullopt;
    return query.record();
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

std::optional<QSqlRecord> customerByPhone(const QString &phone)
{
    return firstWhere(TDM::instance().tblCustomers, QStringLiteral("CustID"), QStringLiteral("HomePhone"), phone,
                      QStringLiteral("CustID"));
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
    return customerByPhone(phone).has_value();
}

int CustomerIDByPhone(const QString &phone)
{
    const std::optional<QSqlRecord> customer = customerByPhone(phone);
    return customer ? customer->value(0).toInt() : 0;
}

QList<QStringList> CustomerComboRows(const QString &phone)
{
    QList<QStringList> items;
    QSqlQuery customers = selectWhere(TDM::instance().tblCustomers, QStringLiteral("CustID, LastName, FirstName"),
                                      QStringLiteral("HomePhone"), phone, QStringLiteral("CustID"));
    while (customers.next())
        items.append({customers.value(0).toString(), customers.value(1).toString(), QString(),
                      customers.value(2).toString()});
    return items;
}

CustomerDetails GetCustomer(const QString &custID)
{
    // The number goes to the database as a number, never as raw text.
    bool isNumber = false;
    const int number = custID.trimmed().toInt(&isNumber);
    if (!isNumber)
        return {};
    const std::optional<QSqlRecord> customer =
        firstWhere(TDM::instance().tblCustomers, QStringLiteral("LastName, FirstName, Gender"),
                   QStringLiteral("CustID"), number, QStringLiteral("CustID"));
    if (!customer)
        return {};
    return {customer->value(0).toString(), customer->value(1).toString(), customer->value(2).toInt()};
}

ProductDetails GetProduct(const QString &productID)
{
    const std::optional<QSqlRecord> product =
        firstWhere(TDM::instance().tblProducts, QStringLiteral("Description, SellingPrice"),
                   QStringLiteral("ProductID"), productID, QStringLiteral("ProductID"));
    if (!product)
        return {QString(), FixedTwoDecimals(0)};
    return {product->value(0).toString(), FixedTwoDecimals(product->value(1).toDouble())};
}

QString ProductIDByUPC(const QString &upc)
{
    const std::optional<QSqlRecord> product = firstWhere(TDM::instance().tblProducts, QStringLiteral("ProductID"),
                                                         QStringLiteral("UPCCode"), upc, QStringLiteral("ProductID"));
    return product ? product->value(0).toString() : QString();
}

bool IsUPCCode(const QString &text)
{
    return (text.size() == 12 || text.size() == 13) && IsNumberText(text);
}

QString PaymentTypeName(int id)
{
    const std::optional<QSqlRecord> type = firstWhere(TDM::instance().tblPaymentTypes, QStringLiteral("PaymentType"),
                                                      QStringLiteral("ID"), id, QStringLiteral("ID"));
    return type ? type->value(0).toString() : QString();
}

int PaymentTypeID(const QString &name)
{
    const std::optional<QSqlRecord> type = firstWhere(TDM::instance().tblPaymentTypes, QStringLiteral("ID"),
                                                      QStringLiteral("PaymentType"), name, QStringLiteral("ID"));
    return type ? type->value(0).toInt() : -1;
}

QString EmployeeIDByName(const QString &name)
{
    const std::optional<QSqlRecord> employee = firstWhere(TDM::instance().tblEmployees, QStringLiteral("EmployeeID"),
                                                          QStringLiteral("Name"), name, QStringLiteral("EmployeeID"));
    return employee ? employee->value(0).toString() : QString();
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
