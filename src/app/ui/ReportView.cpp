#include "app/ui/ReportView.h"

#include <QAbstractTextDocumentLayout>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextDocument>

#include <algorithm>

namespace kor {

ReportView::ReportView(QWidget* parent) : QAbstractScrollArea(parent)
{
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setSingleStep(20);
}

ReportView::~ReportView() = default;

void ReportView::SetPage(std::unique_ptr<QTextDocument> page)
{
    m_page = std::move(page);
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    UpdateScrollBars();
    viewport()->update();
}

void ReportView::UpdateScrollBars()
{
    const QSize page = m_page ? m_page->size().toSize() : QSize();
    const QSize view = viewport()->size();
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setRange(0, std::max(0, page.height() - view.height()));
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setRange(0, std::max(0, page.width() - view.width()));
}

void ReportView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void ReportView::paintEvent(QPaintEvent* event)
{
    if (!m_page)
        return;
    QPainter painter(viewport());
    // A page narrower than the view stands in its middle.
    const qreal spare = viewport()->width() - m_page->size().width();
    const QPointF offset(spare > 0 ? -spare / 2 : horizontalScrollBar()->value(),
                         verticalScrollBar()->value());
    painter.translate(-offset);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = palette();
    context.clip = QRectF(event->rect()).translated(offset);
    painter.setClipRect(context.clip);
    m_page->documentLayout()->draw(&painter, context);
}

} // namespace kor
