#include "app/ReportPdf.h"

#include <QMarginsF>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

namespace kor {

QPageLayout ReportPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

Status WriteReportPdf(const QTextDocument& document, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Status::Fail(file.errorString().toStdString());
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(ReportPageLayout());
        writer.setResolution(300);
        writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
        writer.setCreator(QStringLiteral("Kor Manager"));
        document.print(&writer);
    }
    if (!file.commit())
        return Status::Fail(file.errorString().toStdString());
    return Status::Ok();
}

} // namespace kor
