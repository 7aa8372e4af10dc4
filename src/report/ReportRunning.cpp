#include "report/ReportRunning.h"

#include "platform/Dialogs.h"
#include "platform/Printing.h"
#include "platform/System.h"

#include <QList>

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
// Releases the selections applied so far, last first, however the run ends.
class AppliedSelections
{
public:
    AppliedSelections() = default;
    AppliedSelections(const AppliedSelections &) = delete;
    AppliedSelections &operator=(const AppliedSelections &) = delete;
    ~AppliedSelections()
    {
        for (auto selection = m_applied.rbegin(); selection != m_applied.rend(); ++selection) {
            if (*selection)
                (*selection)();
        }
    }
    void apply(const DataSelection &selection)
    {
        m_applied.append(selection.release);
        if (selection.apply)
            selection.apply();
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

bool RunReport(const ReportRun &run)
{
    if (run.checkPrinter && !CheckDefaultPrinter())
        return false;
    Report &report = run.report ? *run.report : Report::shared();
    AppliedSelections selections;
    for (const DataSelection &selection : run.selections)
        selections.apply(selection);
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
    return true;
}
