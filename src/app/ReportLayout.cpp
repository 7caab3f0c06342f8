#include "app/ReportLayout.h"

#include <QAbstractTextDocumentLayout>
#include <QTextDocument>

namespace kor {

namespace {

// Some air around the page on screen; printing sets its own margins.
constexpr qreal kScreenMargin = 12;

} // namespace

std::unique_ptr<QTextDocument> LayOutReport(const QString& html, const QUrl& baseUrl, qreal width,
                                            const ReportProgress& progress)
{
    auto report = [&progress](int percent) {
        if (progress)
            progress(percent);
    };
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    document->setDocumentMargin(kScreenMargin);
    document->setBaseUrl(baseUrl);
    // The width first, so that the page is laid out once, for it.
    document->setTextWidth(width);
    report(10);
    document->setHtml(html);
    report(60);
    // Asking for the size lays the whole document out, here rather than while it is drawn.
    (void)document->documentLayout()->documentSize();
    report(100);
    return document;
}

} // namespace kor
