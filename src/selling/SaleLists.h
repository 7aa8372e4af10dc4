#pragma once

#include <QString>
#include <QStringList>

// The entries the sale screen offers in its discount, discount-type and
// coupon boxes, one per line of a text file in the data folder.
struct SaleListEntries {
    QStringList discounts;
    QStringList discountTypes;
    QStringList coupons;
};

inline constexpr auto DiscountsFileName = "discounts.txt";
inline constexpr auto DiscountTypesFileName = "discountTypes.txt";
inline constexpr auto CouponsFileName = "coupons.txt";

// The lines of a text file in file order; raises AppError
// "Cannot open file <path>" when it is missing or unreadable.
QStringList LoadListFile(const QString &path);

// Loads the three files from the data folder (ending in a separator), in the
// order discounts, discount types, coupons.
SaleListEntries LoadSaleLists(const QString &dataPath);
