#include "report/ReportRunning.h"

#include "platform/Dialogs.h"
#include "platform/Printing.h"
#include "platform/System.h"

#include <QList>

#include <exception>

bool CheckDefaultPrinter()
{
    if (!Printing::instance().defaultPrinterName().isEmpty())
        return true;
    Dialogs::instance().error(applicationTitle(),
                              QStringLiteral("You do not have a default printer defined.\n\n"
                                             "Please select a printer before running a report."));
    return false;
}

QString ReportTemplatePath(const QString &fileName)
{
    return System::instance().programFolder() + QStringLiteral("Reports/") + fileName;
}

DataSelection filterRows(const std::shared_ptr<QueryRows> &rows, RecordFilter filter)
{
    return {[rows, filter] { rows->setFilter(filter); }, [rows] { rows->clearFilter(); }};
}

void ReportRun::setGrid(int columns, int rows, std::function<QString(int column, int row)> cell)
{
    gridColumns = columns;
    gridRows = rows;
    gridCell = std::move(cell);
}

namespace {
// The selections applied so far, released last first. Every release runs even
// when one fails; the first failure travels on.
class AppliedSelections
{
public:
    void apply(const DataSelection &selection)
    {
        m_applied.append(selection.release);
        if (selection.apply)
            selection.apply();
    }
    void releaseAll()
    {
        std::exception_ptr failure;
        while (!m_applied.isEmpty()) {
            const std::function<void()> release = m_applied.takeLast();
            try {
                if (release)
                    release();
            } catch (...) {
                if (!failure)
                    failure = std::current_exception();
            }
        }
        if (failure)
            std::rethrow_exception(failure);
    }

private:
    QList<std::function<void()>> m_applied;
};

// The grid's cell answer reads the screen's grid, so it must not outlive the run.
class GridHandOver
{
public:
    GridHandOver(Report &report, const ReportRun &run);
    GridHandOver(const GridHandOver &) = delete;
    GridHandOver &operator=(const GridHandOver &) = delete;
    ~GridHandOver()
    {
        if (m_active)
            m_report.setValueRequest(nullptr);
    }

private:
    Report &m_report;
    bool m_active = false;
};

GridHandOver::GridHandOver(Report &report, const ReportRun &run)
    : m_report(report)
{
    if (run.gridColumns < 0 || !run.gridCell)
        return;
    m_active = true;
    UserDataset &columns = report.userDataset(QStringLiteral("ColDataset"));
    UserDataset &rows = report.userDataset(QStringLiteral("RowDataset"));
    columns.setRecordCount(run.gridColumns);
    rows.setRecordCount(run.gridRows);
    const auto cell = run.gridCell;
    report.setValueRequest([&columns, &rows, cell](const QString &name) -> std::optional<QString> {
        if (name.compare(u"Cell", Qt::CaseInsensitive) != 0)
            return std::nullopt;
        return cell(columns.recordNumber(), rows.recordNumber());
    });
}
}

namespace {
void showOrPrint(Report &report, const ReportRun &run)
{
    report.loadFromFile(run.templatePath);
    for (const auto &[name, source] : run.datasets)
        report.dataset(name).setSource(source);
    GridHandOver grid(report, run);
    for (const auto &[name, text] : run.variables)
        ReportVariables::set(name, text);
    if (run.output == ReportOutput::Preview)
        report.showPreview();
    else
        report.print();
}
}

bool RunReport(const ReportRun &run)
{
    if (run.checkPrinter && !CheckDefaultPrinter())
        return false;
    Report &report = run.report ? *run.report : Report::shared();
    AppliedSelections selections;
    try {
        for (const DataSelection &selection : run.selections)
            selections.apply(selection);
        showOrPrint(report, run);
    } catch (...) {
        // The error that stopped the run is the one to show, not a later
        // failure to release the data.
        try {
            selections.releaseAll();
        } catch (...) {
        }
        throw;
    }
    selections.releaseAll();
    return true;
}
