// Measures the report of the largest reportable document (rules 0 to 11 with 255 actions each):
//
//   build/bench/bench_report_screen show   the longest stall of the GUI thread while the report
//                                          screen builds and shows it, and the time until shown
//   build/bench/bench_report_screen inline the same page laid out in a text browser on the GUI
//                                          thread, for comparison
//   build/bench/bench_report_screen pdf    time and peak memory of writing it as PDF, as korctl
//                                          report does
//
// One mode a process, so that the peak memory is that mode's. Prints its figures; never a test.

#include "Heartbeat.h"
#include "LargeDocument.h"
#include "TestSupport.h"

#include "app/AppSession.h"
#include "app/Language.h"
#include "app/ReportBuilder.h"
#include "app/ReportFile.h"
#include "app/ReportPdf.h"
#include "app/ScriptedDialogs.h"
#include "app/ui/FrmDoc.h"
#include "config/Cp1252.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include <cstdio>

using namespace kor;
using namespace kor::bench;

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("KOR_RESOURCES"))
        qputenv("KOR_RESOURCES", (test::BinaryDir() + QStringLiteral("/bin/resources")).toUtf8());
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("show");
    QTemporaryDir dir;
    if (LoadLanguageByCode(u"en").failed()) {
        std::fprintf(stderr, "bench_report_screen: no English texts\n");
        return 1;
    }
    ScriptedDialogs dialogs;
    AppSession session(dialogs);
    session.Services().WorkFolder = dir.filePath(QStringLiteral("work"));
    FillLargestDocument(session.Document(), ReportRuleCount);
    const long before = RssKiB();
    const auto start = BenchClock::now();

    if (mode == QLatin1String("pdf")) {
        const std::string html = ReportFile::Build(session.Document(), LangTextBytes, u"en"_qs, {});
        QTextDocument document;
        document.setHtml(FromCp1252(html));
        int pages = 0;
        const QString path = dir.filePath(QStringLiteral("report.pdf"));
        if (const Status written = WriteReportPdf(document, path, [&](int, int count) { pages = count; });
            written.failed()) {
            std::fprintf(stderr, "bench_report_screen: %s\n", written.reason().c_str());
            return 1;
        }
        std::printf("PDF of the largest report: %d pages, %.1f s, %.1f MiB file, peak memory %.0f MiB "
                    "(%.0f MiB before)\n",
                    pages, MsSince(start) / 1000, QFileInfo(path).size() / 1048576.0, PeakRssKiB() / 1024.0,
                    before / 1024.0);
        return 0;
    }

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    window.resize(900, 700);
    window.show();
    Heartbeat heartbeat;
    heartbeat.Start();
    if (mode == QLatin1String("inline")) {
        // The page built and laid out on the GUI thread, as a text browser does it.
        auto* browser = new QTextBrowser(&window);
        layout->addWidget(browser);
        browser->setHtml(FromCp1252(ReportFile::Build(session.Document(), LangTextBytes, u"en"_qs, {})));
        (void)browser->document()->size();
        QApplication::processEvents();
    } else {
        auto* screen = new FrmDoc(session, &window);
        layout->addWidget(screen);
        screen->WaitUntilShown();
        QApplication::processEvents();
    }
    heartbeat.Stop();
    for (const auto& [at, gap] : heartbeat.LongGaps())
        std::printf("  a stall of %.1f ms ending %.0f ms after the start\n", gap, at);
    std::printf("%s: the largest report shown after %.0f ms; longest GUI stall %.1f ms (%.1f ms of the GUI "
                "thread's own work); memory %+.0f MiB, peak %.0f MiB\n",
                qPrintable(mode), MsSince(start), heartbeat.Longest(), heartbeat.LongestWork(),
                (RssKiB() - before) / 1024.0, PeakRssKiB() / 1024.0);
    return 0;
}
