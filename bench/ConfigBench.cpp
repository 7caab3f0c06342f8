#include "LargeDocument.h"

#include "config/ConfigText.h"

#include <benchmark/benchmark.h>

namespace kor::bench {
namespace {

void BM_SaveProject(benchmark::State& state)
{
    ConfigDocument doc;
    FillLargestDocument(doc, static_cast<int>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string text = BuildProjectText(doc);
        bytes = text.size();
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["file_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SaveProject)->Arg(15)->Arg(30)->Arg(60)->Arg(121)->Unit(benchmark::kMillisecond);

void BM_LoadProject(benchmark::State& state)
{
    ConfigDocument source;
    FillLargestDocument(source, static_cast<int>(state.range(0)));
    const std::string text = BuildProjectText(source);
    for (auto _ : state) {
        ConfigDocument doc;
        doc.ResetConfig();
        benchmark::DoNotOptimize(ParseConfigText(doc, text));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.counters["file_bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_LoadProject)->Arg(15)->Arg(30)->Arg(60)->Arg(121)->Unit(benchmark::kMillisecond);

void BM_WriteUploadFile(benchmark::State& state)
{
    ConfigDocument doc;
    FillLargestDocument(doc);
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildAlarmAppText(doc, DeviceLine{80, "root", "pass", "", "AXIS"}));
}
BENCHMARK(BM_WriteUploadFile)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kor::bench

BENCHMARK_MAIN();
