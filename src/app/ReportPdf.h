#pragma once

#include "config/Result.h"

#include <QPageLayout>
#include <QString>

#include <string>

class QTextDocument;

namespace kor {

// The page of a report exported as PDF: A4 portrait. The margins are the 2 cm that printing a
// text document adds on every side, with the page number at the foot.
QPageLayout ReportPageLayout();

// Prints a report page to a PDF file, written atomically (a failed export leaves the previous
// file). The document keeps its own settings; a copy is paginated. Text layout needs a running
// QGuiApplication.
Status WriteReportPdf(const QTextDocument& document, const QString& path);

} // namespace kor
