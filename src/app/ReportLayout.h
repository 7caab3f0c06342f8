#pragma once

#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

class QTextDocument;

namespace kor {

// Where a report's layout has got to, in percent.
using ReportProgress = std::function<void(int percent)>;

// The report page parsed and laid out as a text document at the given width, ready to be drawn.
// Runs on any thread: the window calls it on a worker, so that the largest report never holds
// up the event loop; the caller moves the document to the thread that draws it.
std::unique_ptr<QTextDocument> LayOutReport(const QString& html, const QUrl& baseUrl, qreal width,
                                            const ReportProgress& progress = {});

} // namespace kor
