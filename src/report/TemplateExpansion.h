#pragma once

#include "report/ReportData.h"
#include "report/ReportTemplate.h"

#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

// What a template's names are looked up in, in this order: datasets for
// Dataset.Field, then the program-wide report variables, the template's
// dictionary, the screen's value handler, and the values Date and Time.
struct ExpansionSources {
    std::function<ReportDataset *(const QString &name)> dataset;
    std::function<std::optional<QString>(const QString &name)> dictionary;
    std::function<std::optional<QString>(const QString &name)> valueRequest;
};

// Expands template nodes into HTML. In a page footer, [Page] and [Pages] are
// kept for the page painter to fill.
QString expandTemplate(const std::vector<TemplateNode> &nodes, const ExpansionSources &sources,
                       bool footer = false);

// A value as a template prints it with a format ("0.00", "0", "date",
// "time" or none). Text prints as it is, whatever the format: only numbers
// are formatted as numbers.
QString formatValue(const QVariant &value, const QString &format);
