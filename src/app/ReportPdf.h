#pragma once

#include "config/Result.h"

#include <QPageLayout>
#include <QString>

#include <functional>

class QTextDocument;

namespace kor {

// The page of a report exported as PDF: A4 portrait. The margins are the 2 cm that printing a
// text document adds on every side, with the page number at the foot.
QPageLayout ReportPageLayout();

// Pages written so far and the page count, for a progress display.
using PdfProgress = std::function<void(int page, int pageCount)>;

// Prints a report page to a PDF file, written atomically (a failed export leaves the previous
// file), page by page with the progress. The document is paginated in place for the PDF's pages
// (no copy: the largest report takes half the memory); it is not for showing afterwards. Text
// layout needs a running QGuiApplication.
Status WriteReportPdf(QTextDocument& document, const QString& path, const PdfProgress& progress = {});

} // namespace kor
