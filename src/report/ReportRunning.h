#pragma once

#include "report/Report.h"
#include "report/RowSource.h"

#include <QList>
#include <QPair>
#include <QString>

#include <functional>
#include <memory>

// Asks the printing system for the default printer; without one shows the
// error box every print and preview command stops at, and returns false.
bool CheckDefaultPrinter();

// Where the program's templates are: the Reports folder beside the program.
QString ReportTemplatePath(const QString &fileName);

// What restricts a report's data to the document being printed, applied
// before the report runs and released after it on every path.
struct DataSelection {
    std::function<void()> apply;
    std::function<void()> release;
};
// Restricts rows to a filter for the run (the usual selection).
DataSelection filterRows(const std::shared_ptr<QueryRows> &rows, RecordFilter filter);

enum class ReportOutput { Preview, Print };

// One run of a template, as every printing screen does it. The receipt:
//
//   auto invoice = std::make_shared<QueryRows>(db, invoiceSql);
//   auto items = std::make_shared<QueryRows>(db, itemsSql);
//   ReportRun run;
//   run.templatePath = ReportTemplatePath(QStringLiteral("rSale.frf"));
//   run.output = config.PrintPreview ? ReportOutput::Preview : ReportOutput::Print;
//   run.datasets = {{QStringLiteral("frDBDataSet1"), invoice}, {QStringLiteral("frDBDataSet2"), items}};
//   run.selections = {filterRows(invoice, fieldEquals(QStringLiteral("Invoice"), number)),
//                     filterRows(items, fieldEquals(QStringLiteral("Invoice"), number))};
//   run.variables = {{QStringLiteral("StoreName"), config.StoreName},
//                    {QStringLiteral("StoreLocation"), config.StoreLocation}};
//   RunReport(run);
struct ReportRun {
    QString templatePath;              // usually ReportTemplatePath("rSale.frf")
    Report *report = nullptr;          // nullptr: the shared report object
    ReportOutput output = ReportOutput::Preview;
    bool checkPrinter = true;          // false when the caller has just checked
    QList<DataSelection> selections;
    // Dataset adapters of the report and the rows each reads.
    QList<QPair<QString, std::shared_ptr<const RowSource>>> datasets;
    // Program-wide report variables, set by name to the texts as shown.
    QList<QPair<QString, QString>> variables;

    // A grid report: ColDataset and RowDataset get the grid's column and row
    // counts, and the value "Cell" (any letter case) is answered with
    // cell(current ColDataset record, current RowDataset record).
    void setGrid(int columns, int rows, std::function<QString(int column, int row)> cell);
    int gridColumns = -1;
    int gridRows = -1;
    std::function<QString(int column, int row)> gridCell;
};

// Runs a report: printer check, data selection, template, datasets,
// variables, prepare, preview or print, and the selections released whatever
// happened. Returns false when there was no default printer (nothing else
// happened then). Errors of loading, preparing or printing travel on to the
// caller after the release.
bool RunReport(const ReportRun &run);
