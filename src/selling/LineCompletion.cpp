#include "selling/LineCompletion.h"

#include "store/Lookups.h"

std::optional<CompletedLine> CompleteLine(const QString &itemText, ProductLookup &catalogue)
{
    if (itemText.isEmpty())
        return std::nullopt;
    CompletedLine line;
    line.item = IsUPCCode(itemText) ? catalogue.productIDByUPC(itemText) : itemText;
    const ProductLookup::Product product = catalogue.product(line.item);
    line.description = product.description;
    line.quantity = QStringLiteral("1");
    line.price = product.price;
    return line;
}
