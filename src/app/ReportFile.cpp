#include "app/ReportFile.h"

#include "app/AppPaths.h"
#include "app/ReportBuilder.h"
#include "app/ReportTemplate.h"
#include "config/SaveFile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QUrl>

namespace kor {

QString ReportFile::TemplatePath(const QString& languageCode)
{
    return AppPaths::Resource(QStringLiteral("report/doc%1.htm").arg(languageCode));
}

std::string ReportFile::ImageFolderUrl()
{
    const QString folder = QFileInfo(AppPaths::Resource(QStringLiteral("report"))).absoluteFilePath();
    return QUrl::fromLocalFile(folder + QLatin1Char('/')).toString(QUrl::FullyEncoded).toStdString();
}

QString ReportFile::OutputPath()
{
    return AppPaths::WorkFile(QStringLiteral("xdoc.html"));
}

std::string ReportFile::Build(const ConfigDocument& doc, const LangTextLookup& langText,
                              const QString& languageCode, const ReportHeader& header, bool* templateFound)
{
    std::string bytes;
    bool found = false;
    if (QFileInfo(TemplatePath(languageCode)).isFile()) {
        Result<std::string> read = ReadWholeFile(TemplatePath(languageCode));
        found = read.ok();
        if (found)
            bytes = std::move(read).value();
    }
    if (templateFound)
        *templateFound = found;
    return BuildReportHtml(ReadReportTemplate(bytes), doc, langText, ImageFolderUrl(), header);
}

std::string ReportFile::MadeAtText(std::chrono::system_clock::time_point when)
{
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(when.time_since_epoch()).count();
    return QDateTime::fromSecsSinceEpoch(seconds).toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString();
}

} // namespace kor
