// How long a NIST library of 100,000 entries takes to import: listing every compound name (what
// the spectrum editor shows first) and loading the peaks of the last entry (a double-click on
// the bottom of the list). Both must stay well under a second.
#include <benchmark/benchmark.h>

#include <string>

#include "spectrum/peak_text.h"

namespace {

/// A library as NIST exports it: names, synonyms, formula, weight and ten peaks per entry.
const std::string& hundredThousandEntries() {
    static const std::string library = [] {
        std::string text;
        for (int i = 0; i < 100000; ++i) {
            text += "Name: Compound " + std::to_string(i) + "\r\nSynon: Alternative " +
                    std::to_string(i) + "\r\nFormula: C10H22\r\nMW: 142\r\nNum Peaks: 10\r\n"
                    "41 120; 43 999; 57 500; 71 120; 85 80;\r\n"
                    "99 12; 113 8; 127 3; 141 1; 142 10;\r\n\r\n";
        }
        return text;
    }();
    return library;
}

void BM_ListLibraryNames(benchmark::State& state) {
    const std::string& library = hundredThousandEntries();
    for (auto _ : state)
        benchmark::DoNotOptimize(qzx::mspCompoundNames(library));
    state.counters["MB"] = static_cast<double>(library.size()) / 1e6;
}
BENCHMARK(BM_ListLibraryNames)->Unit(benchmark::kMillisecond);

void BM_LoadLastLibraryEntry(benchmark::State& state) {
    const std::string& library = hundredThousandEntries();
    for (auto _ : state)
        benchmark::DoNotOptimize(qzx::mspEntryPeaks(library, 99999));
}
BENCHMARK(BM_LoadLastLibraryEntry)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
