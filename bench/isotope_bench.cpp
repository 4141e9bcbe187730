// How fast the isotope clusters of large molecules come out: the nominal pattern of insulin,
// of C444 H698 N122 O133 S4 and of C1000 H2000 O200, which bench/run_peer_comparison.sh sets
// against IsoSpec and an exact convolution, of a 20 kDa protein, and the accurate pattern of
// insulin.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "chem/composition.h"
#include "chem/element_data_files.h"
#include "chem/formula_text.h"
#include "chem/isotope_pattern.h"
#include "loaded_elements.h"

namespace {

const qzx::ElementTable& elements() {
    return qzx::bench::loadedElementTable();
}

qzx::Composition formula(std::string text) {
    qzx::Composition composition;
    qzx::ParseFormulaText(composition, text);
    return composition;
}

struct IgnoredNotices : qzx::IsotopeNotices {
    int count = 0;
    void notice(const std::string&) override { ++count; }
};

/// The profiler's default "Minimum %" of 0.05.
constexpr float kThreshold = 0.0005f;

void nominal(benchmark::State& state, const char* text) {
    const qzx::Composition composition = formula(text);
    IgnoredNotices notices;
    std::size_t peaks = 0;
    for (auto _ : state) {
        const qzx::IsotopePattern pattern =
            qzx::NominalIsotopePattern(composition, elements(), {kThreshold}, notices);
        peaks = pattern.peaks.size();
        benchmark::DoNotOptimize(pattern.peaks.data());
    }
    if (notices.count != 0) state.SkipWithError("the pattern gave a notice");
    state.counters["peaks"] = static_cast<double>(peaks);
}

void BM_NominalInsulin(benchmark::State& state) {
    nominal(state, "C257 H383 N65 O77 S6");
}
void BM_NominalC1000H2000O200(benchmark::State& state) {
    nominal(state, "C1000 H2000 O200");
}
void BM_NominalC444H698N122O133S4(benchmark::State& state) {
    nominal(state, "C444 H698 N122 O133 S4");
}
void BM_NominalC890H1400N240O270S6(benchmark::State& state) {
    nominal(state, "C890 H1400 N240 O270 S6");
}

void BM_AccurateInsulin(benchmark::State& state) {
    const qzx::Composition composition = formula("C257 H383 N65 O77 S6");
    IgnoredNotices notices;
    for (auto _ : state) {
        const qzx::IsotopePattern pattern =
            qzx::AccurateIsotopePattern(composition, elements(), {kThreshold, false}, notices);
        benchmark::DoNotOptimize(pattern.peaks.data());
    }
}

BENCHMARK(BM_NominalInsulin)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NominalC1000H2000O200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NominalC444H698N122O133S4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NominalC890H1400N240O270S6)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AccurateInsulin)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
