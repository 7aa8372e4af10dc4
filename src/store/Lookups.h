#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The questions the selling, till and stock screens ask of the store
// database, and the small text tests that go with them. Each opens its table
// through the database module first; none leaves a filter or an order behind.

// "yymm" of today followed by the six-digit counter after the last stored sale.
QString NextInvoiceNumber();
// The counter for the next invoice: 1 in a new month, else one more than the
// last stored invoice's. Raises EConvertError when that invoice does not end
// in six digits.
int NextInvoiceCounter();

bool CustomerExistsByPhone(const QString &phone);
// The CustID of the customer with exactly this HomePhone, 0 when none.
int CustomerIDByPhone(const QString &phone);
// The customers with this HomePhone as rows of a multi-column combo:
// CustID, LastName, an empty column, FirstName.
QList<QStringList> CustomerComboRows(const QString &phone);

struct CustomerDetails {
    QString lastName;
    QString firstName;
    int gender = 0;
};
// The customer with this number (the text goes unquoted into the filter);
// empty names and gender 0 when there is none.
CustomerDetails GetCustomer(const QString &custID);

struct ProductDetails {
    QString description;
    // SellingPrice, fixed with two decimals; "0.00" when there is no such product.
    QString price;
};
ProductDetails GetProduct(const QString &productID);
// The ProductID of the product with this UPCCode, empty when none.
QString ProductIDByUPC(const QString &upc);
// True for 12 or 13 characters that together read as a number.
bool IsUPCCode(const QString &text);

// The name of payment type `id`, empty when none.
QString PaymentTypeName(int id);
// The ID of the payment type with exactly this name, -1 when none.
int PaymentTypeID(const QString &name);
// The EmployeeID of the employee with exactly this name, empty when none.
QString EmployeeIDByName(const QString &name);

// The list fillers: each clears the list and fills it in table order.
void FillPhoneList(QStringList &list);
void FillPaymentTypeList(QStringList &list);
void FillProductList(QStringList &list);
void FillStoreList(QStringList &list);
void FillSupplierList(QStringList &list);

// The text with every "%DATE%", in any letter case, replaced by today's
// date as ISO date text.
QString ExpandDateMacro(const QString &text);
