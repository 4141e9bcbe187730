// How fast the formula calculator lists every composition of a mass window, on the queries of
// bench/formula_queries.txt, which bench/run_peer_comparison.sh also gives to mf-finder. Each
// query is timed twice: the search alone, and with every result's composition text built as
// the window shows it (the fair comparison: mf-finder builds its formula texts too).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "chem/element_data_files.h"
#include "chem/element_table.h"
#include "chem/formula_search.h"
#include "loaded_elements.h"
#include "util/memory_retention.h"

namespace {

const qzx::ElementTable& elements() {
    return qzx::bench::loadedElementTable();
}

struct Query {
    std::string name; ///< "500.2+-0.005/C0-40_H0-80_..."
    qzx::FormulaSearchInput input;
};

/// Reads one range word such as "Cl0-4" into its row; false when the word is not one.
bool addRange(const std::string& word, qzx::FormulaSearchInput& input, int& nextFreeRow) {
    std::size_t digits = 0;
    while (digits < word.size() && !std::isdigit(static_cast<unsigned char>(word[digits])))
        ++digits;
    const std::string symbol = word.substr(0, digits);
    int low = 0, high = 0;
    if (std::sscanf(word.c_str() + digits, "%d-%d", &low, &high) != 2) return false;
    int row = symbol == "C"   ? qzx::kRowC
              : symbol == "H" ? qzx::kRowH
              : symbol == "O" ? qzx::kRowO
              : symbol == "N" ? qzx::kRowN
                              : nextFreeRow++;
    if (row >= qzx::kFormulaRows) return false;
    if (row >= qzx::kRow5) {
        const int element = elements().findSymbol(symbol);
        if (element <= 0) return false;
        input.rowElements[static_cast<std::size_t>(row)] = element;
    }
    input.rows[static_cast<std::size_t>(row)] = {true, low, high};
    return true;
}

std::vector<Query> readQueries() {
    std::ifstream in(QZX_FORMULA_QUERIES);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", QZX_FORMULA_QUERIES);
        std::exit(1);
    }
    std::vector<Query> queries;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        Query query;
        std::string target, tolerance;
        words >> target >> tolerance;
        query.input.target = std::stod(target);
        query.input.tolerance = std::stod(tolerance);
        query.input.rows[qzx::kRowC] = {false, 0, 0};
        query.input.rows[qzx::kRowH] = {false, 0, 0};
        query.input.maxResults = 100000000;
        query.name = target + "+-" + tolerance + "/";
        int nextFreeRow = qzx::kRow5;
        for (std::string word; words >> word;) {
            if (!addRange(word, query.input, nextFreeRow)) {
                std::fprintf(stderr, "bad range \"%s\" in %s\n", word.c_str(), QZX_FORMULA_QUERIES);
                std::exit(1);
            }
            query.name += (query.name.back() == '/' ? "" : "_") + word;
        }
        queries.push_back(query);
    }
    return queries;
}

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

} // namespace

int main(int argc, char** argv) {
    // As the program and qzx-calc do at start-up.
    qzx::retainFreedMemory();
    for (const Query& query : readQueries()) {
        benchmark::RegisterBenchmark(
            ("BM_FormulaSearch/" + query.name).c_str(),
            [input = query.input](benchmark::State& state) { run(state, input, false); })
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(
            ("BM_FormulaSearchWithTexts/" + query.name).c_str(),
            [input = query.input](benchmark::State& state) { run(state, input, true); })
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
