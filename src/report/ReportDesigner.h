#pragma once

#include "report/PreparedReport.h"

#include <QDialog>

#include <memory>

class PageView;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QTimer;
class Report;

// The report designer: the template's source beside a live preview, the
// datasets' fields and the variables to insert at the cursor, save and save
// as, and the line of the first syntax error while the source does not parse.
class ReportDesigner final : public QDialog
{
    Q_OBJECT

public:
    explicit ReportDesigner(Report &report, QWidget *parent = nullptr);
    ~ReportDesigner() override;

    // Opens the designer modally on the report's loaded template.
    static void edit(Report &report, QWidget *parent = nullptr);

    QString source() const;
    void setSource(const QString &source);
    QString fileName() const { return m_fileName; }
    QString errorText() const;
    // Prepares the source now (the preview otherwise follows typing shortly).
    void refreshPreview();
    void insertField(const QString &name);

private:
    void fillFieldList();
    void fieldActivated(QListWidgetItem *item);
    void saveClick();
    void saveAsClick();
    void writeTo(const QString &path);
    void showTitle();

    Report &m_report;
    QString m_fileName;
    QPlainTextEdit *m_source = nullptr;
    QListWidget *m_fields = nullptr;
    PageView *m_view = nullptr;
    QLabel *m_error = nullptr;
    QTimer *m_typing = nullptr;
    std::unique_ptr<PreparedReport> m_prepared;
};
