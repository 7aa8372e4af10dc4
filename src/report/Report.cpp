#include "report/Report.h"

#include "report/TemplateExpansion.h"

#include "platform/Printing.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

Report::Report() = default;
Report::~Report() = default;

namespace {
std::unique_ptr<Report> &sharedSlot()
{
    static std::unique_ptr<Report> report;
    return report;
}

// The shared report holds laid-out documents and database rows; they go with
// the application object, not after it at program exit.
void releaseSharedReport()
{
    sharedSlot().reset();
}
}

Report &Report::shared()
{
    auto &report = sharedSlot();
    if (!report) {
        report = std::make_unique<Report>();
        for (const char *name : {"frDBDataSet1", "frDBDataSet2", "frDBDataSet3"})
            report->dataset(QString::fromLatin1(name));
        if (QCoreApplication::instance())
            qAddPostRoutine(releaseSharedReport);
    }
    return *report;
}

bool Report::loadFromFile(const QString &path)
{
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return false;
    loadFromText(QString::fromUtf8(file.readAll()), path);
    return true;
}

void Report::loadFromText(const QString &source, const QString &fileName)
{
    m_template = ReportTemplate::parse(source, fileName);
}

const ReportTemplate &Report::reportTemplate() const
{
    if (!m_template)
        throw std::logic_error("report object holds no template");
    return *m_template;
}

QString Report::fileName() const
{
    return m_template ? m_template->fileName() : QString();
}

std::optional<QString> Report::dictionaryVariable(const QString &name) const
{
    if (!m_template)
        return std::nullopt;
    const auto found = m_template->dictionary().constFind(name);
    if (found == m_template->dictionary().constEnd())
        return std::nullopt;
    return *found;
}

namespace {
template <typename Kind>
Kind &datasetOfKind(std::map<QString, std::unique_ptr<ReportDataset>> &datasets, const QString &name)
{
    auto &slot = datasets[name];
    if (!slot)
        slot = std::make_unique<Kind>(name);
    auto *typed = dynamic_cast<Kind *>(slot.get());
    if (!typed)
        throw std::logic_error("report dataset " + name.toStdString() + " is of another kind");
    return *typed;
}
}

DataSetAdapter &Report::dataset(const QString &name)
{
    return datasetOfKind<DataSetAdapter>(m_datasets, name);
}

UserDataset &Report::userDataset(const QString &name)
{
    return datasetOfKind<UserDataset>(m_datasets, name);
}

QList<const ReportDataset *> Report::datasets() const
{
    QList<const ReportDataset *> all;
    for (const auto &[name, dataset] : m_datasets)
        all.append(dataset.get());
    return all;
}

PreparedReport Report::prepare()
{
    if (!m_template) {
        m_prepared = std::make_unique<PreparedReport>(QString(), PageSetup{});
        return *m_prepared;
    }
    ExpansionSources sources;
    sources.dataset = [this](const QString &name) -> ReportDataset * {
        for (const auto &[own, dataset] : m_datasets) {
            if (own.compare(name, Qt::CaseInsensitive) == 0)
                return dataset.get();
        }
        return nullptr;
    };
    sources.dictionary = [this](const QString &name) { return dictionaryVariable(name); };
    sources.valueRequest = m_valueRequest;
    const QString body = expandTemplate(m_template->body(), sources);
    const QString footer = expandTemplate(m_template->footer(), sources, true);
    m_prepared = std::make_unique<PreparedReport>(body, m_template->page(), footer);
    return *m_prepared;
}

void Report::showPreview()
{
    Printing::instance().preview(prepare());
}

void Report::print()
{
    // A report that printed nothing has no sheet to send.
    const PreparedReport prepared = prepare();
    if (prepared.pageCount() > 0)
        Printing::instance().print(prepared);
}
