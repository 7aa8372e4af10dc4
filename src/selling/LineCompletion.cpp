#include "selling/LineCompletion.h"

std::optional<CompletedLine> CompleteLine(const QString &itemText, ProductLookup &catalogue)
{
    if (itemText.isEmpty())
        return std::nullopt;
    CompletedLine line;
    line.item = IsUPCCode(itemText) ? catalogue.productIDByUPC(itemText) : itemText;
    const ProductDetails product = catalogue.product(line.item);
    line.description = product.description;
    line.quantity = QStringLiteral("1");
    line.price = product.price;
    return line;
}
