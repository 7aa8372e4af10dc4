#pragma once

#include "report/PreparedReport.h"

#include <QDialog>
#include <QList>

class PageView;
class QComboBox;
class QLabel;
class QLineEdit;
class PageScroller;
class QSpinBox;

// The modal preview of a prepared report: page view with zoom, page
// navigation, open a saved report, save or export, print, find, help, close.
class PreviewWindow final : public QDialog
{
    Q_OBJECT

public:
    explicit PreviewWindow(const PreparedReport &report, QWidget *parent = nullptr);

    const PreparedReport &report() const { return m_report; }
    int currentPage() const;
    int matchCount() const { return static_cast<int>(m_matches.size()); }
    int currentMatch() const { return m_currentMatch; }

    void goToPage(int page);
    void findNext();
    void findPrevious();

private:
    void buildToolBar(class QToolBar *bar);
    void showReport();
    void showPageNumber();
    void zoomChosen(int index);
    void firstPage();
    void priorPage();
    void nextPage();
    void lastPage();
    void pageTyped(int page);
    void openClick();
    void saveClick();
    void printClick();
    void helpClick();
    void findTextChanged();
    void stepMatch(int step);

    PreparedReport m_report;
    PageView *m_view = nullptr;
    PageScroller *m_scroll = nullptr;
    QComboBox *m_zoom = nullptr;
    QSpinBox *m_page = nullptr;
    QLabel *m_pageCount = nullptr;
    QLineEdit *m_find = nullptr;
    QLabel *m_status = nullptr;
    QList<FoundText> m_matches;
    int m_currentMatch = -1;
};
