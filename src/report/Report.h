#pragma once

#include "report/PreparedReport.h"
#include "report/ReportData.h"
#include "report/ReportTemplate.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <optional>

// Answers a template's request for a value that is neither a field nor a
// variable (the grid reports answer "Cell"); nullopt leaves it unanswered.
using ValueRequest = std::function<std::optional<QString>(const QString &name)>;

// A report object: holds one template, its datasets and a value handler,
// prepares the template into pages and hands them to the preview or the
// printer (through the Printing seam).
class Report
{
public:
    Report();
    ~Report();
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    // The database module's shared report object (frReport1), carrying the
    // datasets frDBDataSet1, frDBDataSet2 and frDBDataSet3.
    static Report &shared();

    // Loads a template file. A missing file raises nothing, returns false and
    // keeps the template held before; a syntax error raises TemplateError.
    bool loadFromFile(const QString &path);
    // Takes template text directly (the designer's live preview).
    void loadFromText(const QString &source, const QString &fileName);
    bool hasTemplate() const { return m_template.has_value(); }
    const ReportTemplate &reportTemplate() const;
    QString fileName() const;

    // A variable of the template's own dictionary; nullopt when it has none.
    std::optional<QString> dictionaryVariable(const QString &name) const;

    // Datasets by name, made on first use.
    DataSetAdapter &dataset(const QString &name);
    UserDataset &userDataset(const QString &name);
    // Every dataset, for the designer's field list.
    QList<const ReportDataset *> datasets() const;

    void setValueRequest(ValueRequest request) { m_valueRequest = std::move(request); }

    // Expands the template against the datasets, the program-wide variables,
    // the template's dictionary and the value handler, and lays it out.
    // Without a template the result has no pages.
    PreparedReport prepare();
    // The result of the last prepare().
    const PreparedReport *prepared() const { return m_prepared.get(); }

    // Prepares and shows the modal preview / prints through the print dialog
    // (a report without pages is not sent to the printer).
    void showPreview();
    void print();

private:
    std::optional<ReportTemplate> m_template;
    std::map<QString, std::unique_ptr<ReportDataset>> m_datasets;
    ValueRequest m_valueRequest;
    std::unique_ptr<PreparedReport> m_prepared;
};
