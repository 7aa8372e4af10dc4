#pragma once

#include "report/PreparedReport.h"

#include <QList>
#include <QScrollArea>
#include <QWidget>

// One page of a prepared report on screen, at a zoom, with found texts
// highlighted. It sits in a scroll area; its size follows the zoom.
class PageView final : public QWidget
{
    Q_OBJECT

public:
    enum class Zoom { FitWidth, WholePage, Percent };

    explicit PageView(QWidget *parent = nullptr);

    void setReport(const PreparedReport *report);
    void setPage(int page);
    int page() const { return m_page; }
    // percent counts only for Zoom::Percent; 100 is the paper's real size.
    void setZoom(Zoom zoom, int percent = 100);
    Zoom zoom() const { return m_zoom; }
    void setHighlights(const QList<FoundText> &highlights, int current);
    // The area the fitting zooms fit the page into (the scroll area's viewport).
    void setAvailableSize(const QSize &size);
    // Pixels per millimetre at the current zoom.
    qreal scale() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void updateSize();
    QSizeF pageSizeMm() const;

    const PreparedReport *m_report = nullptr;
    int m_page = 0;
    Zoom m_zoom = Zoom::FitWidth;
    int m_percent = 100;
    QSize m_available{800, 600};
    QList<FoundText> m_highlights;
    int m_current = -1;
};

// A scroll area showing one PageView, which it keeps fitted to its viewport
// as the window is resized.
class PageScroller final : public QScrollArea
{
    Q_OBJECT

public:
    explicit PageScroller(QWidget *parent = nullptr);
    PageView *view() const { return m_view; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    PageView *m_view;
};
