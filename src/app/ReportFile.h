#pragma once

#include "app/ReportBuilder.h"
#include "config/ActionSummary.h"
#include "config/ConfigDocument.h"

#include <QString>

#include <chrono>
#include <string>

namespace kor {

// Where the report's pieces live: the templates doc<code>.htm ("sp", "en", "it", "pt") and the
// action images 00.gif..09.gif among the resources, the built page in the work folder.
class ReportFile
{
public:
    // resources/report/doc<code>.htm
    static QString TemplatePath(const QString& languageCode);
    // file: URL of resources/report/, ending with "/", for the images of the page.
    static std::string ImageFolderUrl();
    // xdoc.html in the work folder.
    static QString OutputPath();

    // The report of a configuration in a language: the template read and filled. A missing
    // template gives an empty report; templateFound tells the two apart.
    static std::string Build(const ConfigDocument& doc, const LangTextLookup& langText,
                             const QString& languageCode, const ReportHeader& header,
                             bool* templateFound = nullptr);

    // The date and time a report was made, as it shows them (local time, yyyy-MM-dd HH:mm).
    static std::string MadeAtText(std::chrono::system_clock::time_point when);
};

} // namespace kor
