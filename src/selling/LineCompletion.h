#pragma once

#include "store/Lookups.h"

#include <QString>

#include <optional>

// What line completion needs to know about the catalogue; the store answers
// it from the Products table, tests from a list.
class ProductLookup
{
public:
    virtual ~ProductLookup() = default;
    // The ProductID of the product with this bar code, empty when none has it.
    virtual QString productIDByUPC(const QString &upc) = 0;
    virtual ProductDetails product(const QString &productID) = 0;
};

// A line after completion: the code (a bar code turned into its ProductID),
// the product's description and price, and quantity 1.
struct CompletedLine {
    QString item;
    QString description;
    QString quantity;
    QString price;
};

// Nothing for an empty item text: the line is left alone.
std::optional<CompletedLine> CompleteLine(const QString &itemText, ProductLookup &catalogue);
