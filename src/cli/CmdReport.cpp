#include "cli/Commands.h"
#include "cli/LoadProject.h"

#include "app/Language.h"
#include "app/ReportFile.h"
#include "app/ReportPdf.h"
#include "config/Cp1252.h"
#include "config/SaveFile.h"
#include "outside/transport/SystemClock.h"
#include "rules/EventCatalogue.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>
#include <ostream>

#include <unistd.h>

namespace kor::cli {

namespace {

enum class ReportFormat
{
    Html,
    Pdf
};

bool FormatOf(const std::string& path, ReportFormat& format)
{
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm")) {
        format = ReportFormat::Html;
        return true;
    }
    if (suffix == QLatin1String("pdf")) {
        format = ReportFormat::Pdf;
        return true;
    }
    return false;
}

// Text layout needs the fonts of a QGuiApplication. korctl's main creates one for this command;
// a caller running korctl in-process without any application gets one on the offscreen platform,
// kept to the end of the process.
Status EnsureGuiApplication()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return Status::Ok();
    if (QCoreApplication::instance())
        return Status::Fail("a PDF needs a graphical application object, and a plain one is already running");
    static int argc = 1;
    static char name[] = "korctl";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
    return Status::Ok();
}

// On a terminal the pages count up on one line of standard error: the largest report takes a
// while. Redirected output stays quiet.
Status WritePdf(const std::string& html, const QString& path)
{
    if (Status gui = EnsureGuiApplication(); gui.failed())
        return gui;
    const bool terminal = isatty(STDERR_FILENO) != 0;
    if (terminal)
        std::fprintf(stderr, "Laying out the report...");
    QTextDocument document;
    document.setHtml(FromCp1252(html));
    PdfProgress progress;
    if (terminal) {
        progress = [](int page, int pageCount) {
            std::fprintf(stderr, "\rWriting the PDF: page %d of %d", page, pageCount);
            std::fflush(stderr);
        };
    }
    Status written = WriteReportPdf(document, path, progress);
    if (terminal)
        std::fprintf(stderr, "\n");
    return written;
}

int RunReport(const CommandSpec& self, Invocation& inv)
{
    const std::string& out = inv.Positional[1];
    ReportFormat format;
    if (!FormatOf(out, format))
        return UsageError(self, inv, "OUT must end with .html, .htm or .pdf");
    const std::string code = inv.Value("lang", "en");
    const LanguageEntry* language = LanguageByCode(QString::fromStdString(code));
    if (!language)
        return UsageError(self, inv, "--lang takes es, en, it or pt");

    if (const Status loaded = LoadLanguageByCode(QString::fromLatin1(language->Code)); loaded.failed())
        return Failure(inv, "cannot load the language texts: " + loaded.reason());
    ConfigDocument doc;
    if (const Status loaded = LoadProjectForCli(doc, inv.Positional[0]); loaded.failed())
        return Failure(inv, loaded.reason());

    bool templateFound = false;
    const QString languageCode = QString::fromLatin1(language->Code);
    // No camera here: the report says when it was made, and names the sources it leaves out.
    ReportHeader header;
    header.MadeAt = ReportFile::MadeAtText(SystemClock().Now());
    header.SourceName = [&doc](int rule) { return SourceNameText(rule, doc.InputOneAsSensor); };
    const std::string html = ReportFile::Build(doc, LangTextBytes, languageCode, header, &templateFound);
    if (!templateFound)
        return Failure(inv,
                       "report template not found: " + ReportFile::TemplatePath(languageCode).toStdString());

    const QString outPath = QString::fromStdString(out);
    const Status written =
        format == ReportFormat::Html ? SaveFileAtomically(outPath, html) : WritePdf(html, outPath);
    if (written.failed())
        return Failure(inv, out + ": cannot write the report: " + written.reason());
    return ExitOk;
}

} // namespace

CommandSpec ReportCommand()
{
    CommandSpec spec;
    spec.Name = "report";
    spec.Synopsis = "IN OUT.html|OUT.pdf [--lang es|en|it|pt]";
    spec.Summary = "Write the configuration report of a configuration file as HTML or PDF.";
    spec.Details = "The report lists the actions of the digital inputs and detector events (rules 0 to 11)\n"
                   "with their time tables, then the general and detector settings. The format follows\n"
                   "the name of OUT. The HTML refers to the action images among the program's resources.";
    spec.Options = {
        {"lang", "LANG", "language of the report: es, en (default), it or pt"},
    };
    spec.MinPositional = 2;
    spec.MaxPositional = 2;
    spec.NeedsGui = true;
    spec.Run = [spec](Invocation& inv) { return RunReport(spec, inv); };
    return spec;
}

} // namespace kor::cli
