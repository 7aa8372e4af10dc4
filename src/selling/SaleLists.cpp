#include "selling/SaleLists.h"

#include "platform/AppError.h"

#include <QFile>
#include <QRegularExpression>

QStringList LoadListFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw AppError(QStringLiteral("Cannot open file ") + path);
    const QString content = QString::fromUtf8(file.readAll());
    QStringList lines = content.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    // The line break that ends the last line does not start another entry.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

SaleListEntries LoadSaleLists(const QString &dataPath)
{
    SaleListEntries entries;
    entries.discounts = LoadListFile(dataPath + QLatin1String(DiscountsFileName));
    entries.discountTypes = LoadListFile(dataPath + QLatin1String(DiscountTypesFileName));
    entries.coupons = LoadListFile(dataPath + QLatin1String(CouponsFileName));
    return entries;
}
