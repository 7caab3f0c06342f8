#include "app/ReportPdf.h"

#include "config/SaveFile.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QScreen>
#include <QTextDocument>
#include <QTextFrame>

namespace kor {

namespace {

// The 2 cm margin of a printed text document, in the document's own units.
constexpr qreal kMarginInches = 2 / 2.54;

// Paginates the document for the writer as QTextDocument::print does (2 cm margins, the page
// number at the foot on the right) and draws it page by page, telling the progress.
void PrintPages(QTextDocument& document, QPdfWriter& writer, QPainter& painter, const PdfProgress& progress)
{
    // The document's own units are those of the screen, as it was laid out for.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal sourceDpiX = screen ? qRound(screen->logicalDotsPerInchX()) : 96;
    const qreal sourceDpiY = screen ? qRound(screen->logicalDotsPerInchY()) : 96;
    document.documentLayout()->setPaintDevice(&writer);
    const int horizontalMargin = int(kMarginInches * sourceDpiX);
    const int verticalMargin = int(kMarginInches * sourceDpiY);
    QTextFrameFormat frame = document.rootFrame()->frameFormat();
    frame.setMargin(0);
    frame.setLeftMargin(horizontalMargin);
    frame.setRightMargin(horizontalMargin);
    frame.setTopMargin(verticalMargin);
    frame.setBottomMargin(verticalMargin);
    frame.setPadding(0);
    frame.setBorder(0);
    document.rootFrame()->setFrameFormat(frame);

    const qreal scaleX = writer.logicalDpiX() / sourceDpiX;
    const qreal scaleY = writer.logicalDpiY() / sourceDpiY;
    const QRectF body(0, 0, writer.width(), writer.height());
    const QPointF pageNumberAt(body.width() - horizontalMargin * scaleX,
                               body.height() - verticalMargin * scaleY +
                                   QFontMetrics(document.defaultFont(), &writer).ascent() +
                                   5 * writer.logicalDpiY() / 72.0);
    document.setPageSize(body.size());
    const int pageCount = document.pageCount();
    for (int page = 1; page <= pageCount; ++page) {
        if (page > 1)
            writer.newPage();
        painter.save();
        const QRectF view(0, (page - 1) * body.height(), body.width(), body.height());
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        document.documentLayout()->draw(&painter, context);
        painter.setClipping(false);
        painter.setFont(document.defaultFont());
        const QString number = QString::number(page);
        painter.drawText(qRound(pageNumberAt.x() - painter.fontMetrics().horizontalAdvance(number)),
                         qRound(pageNumberAt.y() + view.top()), number);
        painter.restore();
        if (progress)
            progress(page, pageCount);
    }
}

} // namespace

QPageLayout ReportPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

Status WriteReportPdf(QTextDocument& document, const QString& path, const PdfProgress& progress)
{
    // Built in memory first: the PDF writer would not notice a write that failed half-way (a full
    // disk), the save does.
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(ReportPageLayout());
        writer.setResolution(300);
        writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
        writer.setCreator(QStringLiteral("Kor Manager"));
        QPainter painter(&writer);
        if (!painter.isActive())
            return Status::Fail("cannot start the PDF");
        PrintPages(document, writer, painter, progress);
    }
    return SaveFileAtomically(path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
}

} // namespace kor
