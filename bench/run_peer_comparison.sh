#!/usr/bin/env bash
# Sets two of our calculations against independent peers, in one run on this machine:
#
#   1. Formula search (Google Benchmark, build/bench/formula_search_bench) against the npm
#      package mf-finder on the sixteen queries of bench/formula_queries.txt (0.005 u and 0.5 u
#      windows, 200 to 1,500 Da, CHNO, CHNOSP and CHNO with Cl, Br and F), both sides warm and
#      building their formula texts: time, ratio, and the two formula sets compared
#      (bench/mf_finder_peer.js, bench/compare_formula_search.js).
#   2. The nominal isotope pattern (build/bench/isotope_bench) of insulin (C257 H383 N65 O77 S6)
#      and of C1000 H2000 O200 against IsoSpec (Debian libisospec++-dev, a small C++ program
#      compiled here) and against an exact convolution without pruning: time and the largest
#      abundance difference, all on our own element data (data/elements.csv).
#
# Installs what it needs: the project's packages (scripts/install-deps.sh), libisospec++-dev,
# Node.js with npm, and mf-finder into bench/node_modules (bench/package.json).
# Usage: bash bench/run_peer_comparison.sh      (QZX_BUILD_DIR overrides the build folder)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bench="$root/bench"
build="${QZX_BUILD_DIR:-$root/build}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
apt_install() {
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "$@"
}

echo "== Installing the peers"
bash "$root/scripts/install-deps.sh"
if ! dpkg-query -W -f='${Status}' libisospec++-dev 2>/dev/null | grep -q "install ok installed"; then
  apt_install libisospec++-dev
fi
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then apt_install nodejs npm; fi
(cd "$bench" && npm install --no-audit --no-fund --no-package-lock --loglevel=error)

echo "== Building our side (Release)"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target qzx-calc formula_search_bench isotope_bench >/dev/null
calc="$build/bin/qzx-calc"

echo "== Timing our side with Google Benchmark"
# Repetitions interleaved at random across the queries, as mf-finder's rounds go round them:
# a slow spell of the machine touches one repetition of many queries, not every one of a few.
"$build/bench/formula_search_bench" --benchmark_enable_random_interleaving=true \
  --benchmark_repetitions=9 --benchmark_min_time=0.1 --benchmark_report_aggregates_only=true \
  --benchmark_format=json >"$work/ours_formula.json"
"$build/bench/isotope_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_format=json >"$work/ours_isotope.json"

# ---------------------------------------------------------------------------------------------
# 1. Formula search
# ---------------------------------------------------------------------------------------------
# Our formula sets from the command line (the same search the benchmark times), one file per
# query, the ranges written as qzx-calc wants them ("C0-40" becomes "C:0-40").
query=0
while read -r target tolerance ranges; do
  case "$target" in '' | '#'*) continue ;; esac
  rows=$(echo "$ranges" | sed -E 's/([A-Z][a-z]?)([0-9])/\1:\2/g; s/ /,/g')
  "$calc" --json formulas "$target" "$tolerance" --rows "$rows" --max-results 100000000 \
    >"$work/query$query.json"
  query=$((query + 1))
done <"$bench/formula_queries.txt"

echo "== Running mf-finder (warm-up, then timed rounds)"
node "$bench/mf_finder_peer.js" "$bench/formula_queries.txt" "$root/data/elements.csv" \
  "$work/peer_formula.json" 400 9

# ---------------------------------------------------------------------------------------------
# 2. Nominal isotope patterns
# ---------------------------------------------------------------------------------------------
cat >"$work/isotope_peer.cpp" <<'EOF'
// The nominal isotope pattern of a formula by IsoSpec (binned to whole masses, 99.999 %
// of the probability) and by an exact convolution in long double without any pruning, both on
// the element data of data/elements.csv rounded to single precision as our table holds it.
// Prints JSON: times (IsoSpec: median of 21 warm rounds, each from the formula to the binned
// pattern, as our Google Benchmark times a whole call) and both patterns in percent of the
// largest.
#include <IsoSpec++/fixedEnvelopes.h>
#include <IsoSpec++/isoSpec++.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

struct Element {
    std::vector<double> masses;        // whole (nominal) masses of the isotopes
    std::vector<double> abundances;
};

std::map<std::string, Element> readElements(const char* csv) {
    std::map<std::string, Element> elements;
    std::ifstream in(csv);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::stringstream row(line);
        for (std::string f; std::getline(row, f, ',');) fields.push_back(f);
        if (fields.size() < 8) continue;
        Element e;
        std::stringstream pairs(fields[7]);
        for (std::string pair; std::getline(pairs, pair, ';');) {
            const auto colon = pair.find(':');
            e.masses.push_back(std::lround(static_cast<float>(std::stod(pair.substr(0, colon)))));
            e.abundances.push_back(static_cast<float>(std::stod(pair.substr(colon + 1))));
        }
        elements[fields[1]] = e;
    }
    return elements;
}

template <class F> double medianMs(int repetitions, F&& f) {
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        const auto start = std::chrono::steady_clock::now();
        f();
        times.push_back(std::chrono::duration<double, std::milli>(
                            std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

int main(int argc, char** argv) {
    const auto elements = readElements(argv[1]);
    std::vector<std::pair<std::string, int>> formula;
    for (int i = 2; i + 1 < argc; i += 2) formula.push_back({argv[i], std::atoi(argv[i + 1])});

    // Exact: one atom at a time on a dense list of whole masses, nothing dropped.
    std::map<long, long double> exact;
    const double exactMs = medianMs(3, [&] {
        std::vector<long double> pattern{1.0L}, next;
        long low = 0;
        for (const auto& [symbol, count] : formula) {
            const Element& e = elements.at(symbol);
            const long lightest = static_cast<long>(e.masses.front());
            const long span = static_cast<long>(e.masses.back()) - lightest;
            for (int atom = 0; atom < count; ++atom) {
                next.assign(pattern.size() + span, 0.0L);
                for (std::size_t j = 0; j < e.masses.size(); ++j) {
                    const long shift = static_cast<long>(e.masses[j]) - lightest;
                    const long double a = e.abundances[j];
                    for (std::size_t k = 0; k < pattern.size(); ++k) next[k + shift] += a * pattern[k];
                }
                pattern.swap(next);
                low += lightest;
            }
        }
        exact.clear();
        for (std::size_t k = 0; k < pattern.size(); ++k) exact[low + static_cast<long>(k)] = pattern[k];
    });

    std::vector<int> isotopeNumbers, atomCounts;
    std::vector<const double*> masses, probabilities;
    for (const auto& [symbol, count] : formula) {
        const Element& e = elements.at(symbol);
        isotopeNumbers.push_back(static_cast<int>(e.masses.size()));
        atomCounts.push_back(count);
        masses.push_back(e.masses.data());
        probabilities.push_back(e.abundances.data());
    }
    std::map<long, double> isospec;
    const auto runIsoSpec = [&] {
        IsoSpec::Iso iso(static_cast<int>(formula.size()), isotopeNumbers.data(),
                         atomCounts.data(), masses.data(), probabilities.data());
        IsoSpec::FixedEnvelope binned = IsoSpec::FixedEnvelope::Binned(std::move(iso), 0.99999, 1.0);
        isospec.clear();
        for (std::size_t i = 0; i < binned.confs_no(); ++i)
            isospec[std::lround(binned.mass(i))] += binned.prob(i);
    };
    runIsoSpec(); // warm: the first run pays for page faults and the allocator's growth
    const double isospecMs = medianMs(21, runIsoSpec);

    const auto print = [](const auto& pattern) {
        long double largest = 0;
        for (const auto& [m, p] : pattern) largest = std::max<long double>(largest, p);
        std::string out = "[";
        for (const auto& [m, p] : pattern) {
            const long double percent = p / largest * 100;
            if (percent < 1e-9L) continue;
            char item[64];
            std::snprintf(item, sizeof item, "%s[%ld,%.12Lg]", out.size() > 1 ? "," : "", m, percent);
            out += item;
        }
        return out + "]";
    };
    std::printf("{\"exact_ms\": %.6f, \"isospec_ms\": %.6f, \"exact\": %s, \"isospec\": %s}\n",
                exactMs, isospecMs, print(exact).c_str(), print(isospec).c_str());
}
EOF
g++ -std=c++17 -O3 -o "$work/isotope_peer" "$work/isotope_peer.cpp" -lIsoSpec++

cat >"$work/compare_patterns.js" <<'EOF'
// One row per formula: our time (Google Benchmark median), IsoSpec's (median of warm rounds),
// their ratio, and each side's largest abundance difference from the exact convolution
// (percent of the largest peak, over every mass where either reports at least the
// threshold). The results block calls this once for insulin and once for C1000 H2000 O200;
// the insulin call prints the heading and also the row of C444 H698 N122 O133 S4, whose files
// this section writes beside insulin's as ours_c444.json and peer_c444.json.
const [oursFile, peerFile, oursBench, benchName, label, threshold] = process.argv.slice(2);
const fs = require('fs');
const path = require('path');
const bench = JSON.parse(fs.readFileSync(oursBench)).benchmarks;
const medianMs = (name) => {
  const b = bench.find((x) => x.name === `${name}_median`);
  return b.real_time * { ns: 1e-6, us: 1e-3, ms: 1 }[b.time_unit];
};
const asMap = (pairs) => new Map(pairs.map(([m, p]) => [Math.round(m), p]));
const largestDifference = (a, b) => {
  let worst = 0;
  for (const m of new Set([...a.keys(), ...b.keys()])) {
    const x = a.get(m) || 0, y = b.get(m) || 0;
    if (x < threshold && y < threshold) continue;
    worst = Math.max(worst, Math.abs(x - y));
  }
  return worst;
};
const cell = (text, width) => String(text).padStart(width);
const row = (ours, peer, name, text) => {
  const oursMap = asMap(ours.peaks.map((p) => [p.mass, p.abundance]));
  const exactMap = asMap(peer.exact);
  const isoMap = asMap(peer.isospec);
  const oursMs = medianMs(name);
  console.log(`  ${text.padEnd(30)}${cell(oursMs.toFixed(4), 10)}${cell(peer.isospec_ms.toFixed(4), 12)}` +
    `${cell((peer.isospec_ms / oursMs).toFixed(1) + 'x', 8)}${cell(largestDifference(oursMap, exactMap).toExponential(2), 12)}` +
    `${cell(largestDifference(isoMap, exactMap).toExponential(2), 15)}${cell(oursMap.size, 7)}`);
};
const read = (file) => JSON.parse(fs.readFileSync(file));
if (benchName === 'BM_NominalInsulin') {
  console.log(`nominal isotope pattern, threshold ${threshold} % of the largest peak; errors in points (percent of the largest peak) against the exact convolution`);
  console.log(`  ${'formula'.padEnd(30)}${cell('ours ms', 10)}${cell('IsoSpec ms', 12)}${cell('ratio', 8)}` +
    `${cell('ours error', 12)}${cell('IsoSpec error', 15)}${cell('peaks', 7)}`);
  row(read(oursFile), read(peerFile), benchName, label);
  const dir = path.dirname(oursFile);
  row(read(`${dir}/ours_c444.json`), read(`${dir}/peer_c444.json`), 'BM_NominalC444H698N122O133S4',
    'C444 H698 N122 O133 S4');
} else {
  row(read(oursFile), read(peerFile), benchName, label);
}
EOF

echo "== Running IsoSpec and the exact convolution"
"$work/isotope_peer" "$root/data/elements.csv" C 257 H 383 N 65 O 77 S 6 >"$work/peer_insulin.json"
"$work/isotope_peer" "$root/data/elements.csv" C 444 H 698 N 122 O 133 S 4 >"$work/peer_c444.json"
"$work/isotope_peer" "$root/data/elements.csv" C 1000 H 2000 O 200 >"$work/peer_c1000.json"
"$calc" --json isotopes C257 H383 N65 O77 S6 --min 0.05 >"$work/ours_insulin.json"
"$calc" --json isotopes C444 H698 N122 O133 S4 --min 0.05 >"$work/ours_c444.json"
"$calc" --json isotopes C1000 H2000 O200 --min 0.05 >"$work/ours_c1000.json"

echo
echo "================================ Results ================================"
node "$bench/compare_formula_search.js" "$work/ours_formula.json" "$work/peer_formula.json" "$work"
echo
node "$work/compare_patterns.js" "$work/ours_insulin.json" "$work/peer_insulin.json" \
  "$work/ours_isotope.json" BM_NominalInsulin "insulin C257 H383 N65 O77 S6" 0.05
node "$work/compare_patterns.js" "$work/ours_c1000.json" "$work/peer_c1000.json" \
  "$work/ours_isotope.json" BM_NominalC1000H2000O200 "C1000 H2000 O200" 0.05
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
