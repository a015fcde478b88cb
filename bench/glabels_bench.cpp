// Time to read every glabels-data template, as the sheet choice does when it
// opens: all template files of the installed package parsed and turned into
// sheet layouts.
//
//   nubora_glabels_bench   Google Benchmark: milliseconds per whole read
#include <benchmark/benchmark.h>

#include "nubora/logic/glabels_templates.h"

namespace {

void ReadAllGlabelsTemplates(benchmark::State& state)
{
    if (nubora::ReadGlabelsTemplates().layouts.empty()) {
        state.SkipWithError("glabels-data is not installed");
        return;
    }
    nubora::GlabelsTemplates read;
    for (auto _ : state) {
        read = nubora::ReadGlabelsTemplates();
        benchmark::DoNotOptimize(read.layouts.data());
    }
    state.counters["templates"] = read.templates;
    state.counters["offered"] = static_cast<double>(read.layouts.size());
    state.counters["skipped"] = read.skippedShapes + read.skippedOthers;
}
BENCHMARK(ReadAllGlabelsTemplates)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
