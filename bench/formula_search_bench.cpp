// How fast the formula calculator lists every composition of a mass window, on the two
// queries that bench/run_peer_comparison.sh also gives to the npm package mf-finder.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "chem/element_data_files.h"
#include "chem/formula_search.h"
#include "loaded_elements.h"

namespace {

const qzx::ElementTable& elements() {
    return qzx::bench::loadedElementTable();
}

/// 500.2 +- 0.5 with C0-40 H0-80 N0-10 O0-20.
qzx::FormulaSearchInput query500() {
    qzx::FormulaSearchInput input;
    input.target = 500.2;
    input.tolerance = 0.5;
    input.rows[qzx::kRowC] = {true, 0, 40};
    input.rows[qzx::kRowH] = {true, 0, 80};
    input.rows[qzx::kRowO] = {true, 0, 20};
    input.rows[qzx::kRowN] = {true, 0, 10};
    input.maxResults = 100000000;
    return input;
}

/// 1000.5 +- 0.5 with C0-100 H0-200 N0-20 O0-30 S0-5 P0-3 (S and P in rows 5 and 6).
qzx::FormulaSearchInput query1000() {
    qzx::FormulaSearchInput input;
    input.target = 1000.5;
    input.tolerance = 0.5;
    input.rows[qzx::kRowC] = {true, 0, 100};
    input.rows[qzx::kRowH] = {true, 0, 200};
    input.rows[qzx::kRowO] = {true, 0, 30};
    input.rows[qzx::kRowN] = {true, 0, 20};
    input.rows[qzx::kRow5] = {true, 0, 5};
    input.rows[qzx::kRow6] = {true, 0, 3};
    input.rowElements[qzx::kRow5] = elements().findSymbol("S");
    input.rowElements[qzx::kRow6] = elements().findSymbol("P");
    input.maxResults = 100000000;
    return input;
}

/// The search alone, or with the composition text of every result as the window shows it.
void run(benchmark::State& state, const qzx::FormulaSearchInput& input, bool withTexts) {
    std::size_t found = 0;
    for (auto _ : state) {
        const qzx::FormulaSearchResult result = qzx::FormulaSearch(input, elements());
        found = result.candidates.size();
        if (withTexts) {
            std::size_t characters = 0;
            for (const qzx::FormulaCandidate& c : result.candidates)
                characters += qzx::formulaCompositionText(c).size();
            benchmark::DoNotOptimize(characters);
        }
        benchmark::DoNotOptimize(result.candidates.data());
    }
    state.counters["results"] = static_cast<double>(found);
}

void BM_FormulaSearch500(benchmark::State& state) {
    run(state, query500(), false);
}
void BM_FormulaSearch500WithTexts(benchmark::State& state) {
    run(state, query500(), true);
}
void BM_FormulaSearch1000(benchmark::State& state) {
    run(state, query1000(), false);
}
void BM_FormulaSearch1000WithTexts(benchmark::State& state) {
    run(state, query1000(), true);
}

BENCHMARK(BM_FormulaSearch500)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FormulaSearch500WithTexts)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FormulaSearch1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormulaSearch1000WithTexts)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
