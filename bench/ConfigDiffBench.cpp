// The difference of the largest document against itself with one action changed: it must name that
// one change, and a comparison before every send must not be felt (well under 100 ms).
#include "LargeDocument.h"

#include "rules/ConfigDiff.h"

#include <benchmark/benchmark.h>

namespace kor::bench {
namespace {

void BM_DiffOneChange(benchmark::State& state)
{
    ConfigDocument before;
    FillLargestDocument(before);
    ConfigDocument after = before;
    const int rule = ConfigDocument::RuleCount / 2;
    const int action = SensorRule::MaxActions / 2;
    ActionRecord changed = *after.Action(rule, action);
    changed.Name += " (changed)";
    after.ReplaceAction(rule, action, changed);
    // Words as a catalogue lookup gives them, without the catalogue's file.
    const LangTextLookup langText = [](int n) { return "text " + std::to_string(n); };
    std::size_t count = 0;
    for (auto _ : state) {
        const std::vector<ConfigChange> changes = DiffConfigs({&before}, {&after}, langText);
        count = changes.size();
        benchmark::DoNotOptimize(changes.data());
    }
    if (count != 1)
        state.SkipWithError(("expected one change, got " + std::to_string(count)).c_str());
    state.counters["changes"] = static_cast<double>(count);
}
BENCHMARK(BM_DiffOneChange)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kor::bench

BENCHMARK_MAIN();
