#include "report/PageView.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace {
constexpr int border = 12;
}

PageView::PageView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pageView"));
    setAutoFillBackground(true);
    QPalette shade = palette();
    shade.setColor(QPalette::Window, QColor(0x80, 0x86, 0x8d));
    setPalette(shade);
}

void PageView::setReport(const PreparedReport *report)
{
    m_report = report;
    m_page = 0;
    m_highlights.clear();
    m_current = -1;
    updateSize();
}

void PageView::setPage(int page)
{
    const int last = m_report ? std::max(m_report->pageCount() - 1, 0) : 0;
    m_page = std::clamp(page, 0, last);
    update();
}

void PageView::setZoom(Zoom zoom, int percent)
{
    m_zoom = zoom;
    m_percent = std::clamp(percent, 10, 800);
    updateSize();
}

void PageView::setHighlights(const QList<FoundText> &highlights, int current)
{
    m_highlights = highlights;
    m_current = current;
    update();
}

void PageView::setAvailableSize(const QSize &size)
{
    m_available = size;
    updateSize();
}

QSizeF PageView::pageSizeMm() const
{
    return m_report ? m_report->pageSizeMm() : QSizeF(210, 297);
}

qreal PageView::scale() const
{
    const QSizeF sheet = pageSizeMm();
    const qreal widthFit = std::max<qreal>(m_available.width() - 2 * border, 50) / sheet.width();
    switch (m_zoom) {
    case Zoom::FitWidth:
        return widthFit;
    case Zoom::WholePage:
        return std::min(widthFit, std::max<qreal>(m_available.height() - 2 * border, 50) / sheet.height());
    case Zoom::Percent:
        return logicalDpiX() / 25.4 * m_percent / 100.0;
    }
    return widthFit;
}

void PageView::updateSize()
{
    const QSizeF sheet = pageSizeMm() * scale();
    setFixedSize(std::max(qCeil(sheet.width()) + 2 * border, m_available.width()),
                 std::max(qCeil(sheet.height()) + 2 * border, m_available.height()));
    update();
}

void PageView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QSizeF sheet = pageSizeMm() * scale();
    const QRectF target(std::max<qreal>((width() - sheet.width()) / 2, border), border, sheet.width(),
                        sheet.height());
    painter.fillRect(target.translated(3, 3), QColor(0, 0, 0, 70));
    painter.fillRect(target, Qt::white);
    if (!m_report)
        return;
    QList<FoundText> onPage;
    int current = -1;
    for (int i = 0; i < m_highlights.size(); ++i) {
        if (m_highlights[i].page != m_page)
            continue;
        if (i == m_current)
            current = static_cast<int>(onPage.size());
        onPage.append(m_highlights[i]);
    }
    m_report->paintPage(painter, m_page, target, onPage, current);
}

PageScroller::PageScroller(QWidget *parent)
    : QScrollArea(parent)
    , m_view(new PageView)
{
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setWidget(m_view);
}

void PageScroller::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    m_view->setAvailableSize(viewport()->size());
}
