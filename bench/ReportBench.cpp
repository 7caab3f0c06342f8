#include "LargeDocument.h"

#include "app/ReportBuilder.h"
#include "app/ReportTemplate.h"
#include "config/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>

namespace kor::bench {
namespace {

// The largest document the report shows: rules 0..11 with 255 actions each, every action with
// a time table of two intervals a day.
ConfigDocument& LargestReportableDocument()
{
    static ConfigDocument doc = [] {
        ConfigDocument d;
        FillLargestDocument(d, ReportRuleCount);
        return d;
    }();
    return doc;
}

std::string ShippedTemplate()
{
    QFile file(QStringLiteral(KOR_SOURCE_DIR "/resources/report/docen.htm"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::string Words(int n)
{
    return "Text " + std::to_string(n);
}

// Template read and page built, as the report screen does on load (without the file write).
void BM_BuildReport(benchmark::State& state)
{
    const ConfigDocument& doc = LargestReportableDocument();
    const std::string templateText = ShippedTemplate();
    if (templateText.empty()) {
        state.SkipWithError("resources/report/docen.htm not found");
        return;
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string html = BuildReportHtml(ReadReportTemplate(templateText), doc, Words, "file:///report/");
        bytes = html.size();
        benchmark::DoNotOptimize(html);
    }
    state.counters["page_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_BuildReport)->Unit(benchmark::kMillisecond);

// The same with xdoc.html written atomically to a temporary folder.
void BM_BuildAndWriteReport(benchmark::State& state)
{
    const ConfigDocument& doc = LargestReportableDocument();
    const std::string templateText = ShippedTemplate();
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("xdoc.html"));
    for (auto _ : state) {
        const std::string html =
            BuildReportHtml(ReadReportTemplate(templateText), doc, Words, "file:///report/");
        if (SaveFileAtomically(path, html).failed()) {
            state.SkipWithError("cannot write xdoc.html");
            return;
        }
    }
}
BENCHMARK(BM_BuildAndWriteReport)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kor::bench

BENCHMARK_MAIN();
