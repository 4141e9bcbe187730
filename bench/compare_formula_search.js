// Prints one table of the formula searches of formula_queries.txt: our time with composition
// texts built (Google Benchmark median), mf-finder's (median of warm rounds), their ratio, and
// whether the two formula sets are identical. Formulas found by one side only are listed with
// their distance from the window's edge (a formula within 1e-6 u of it differs only in how
// each side rounds the comparison).
// Usage: node compare_formula_search.js OURS_BENCH_JSON PEER_JSON OURS_RESULTS_DIR
const fs = require('fs');
const path = require('path');
const { MF } = require(path.join(__dirname, 'node_modules', 'mf-parser'));

const [oursBenchFile, peerFile, oursDir] = process.argv.slice(2);
const bench = JSON.parse(fs.readFileSync(oursBenchFile)).benchmarks;
const peer = JSON.parse(fs.readFileSync(peerFile));

const medianMs = (name) => {
  const b = bench.find((x) => x.name === `${name}_median`);
  if (!b) throw new Error(`no benchmark ${name}`);
  return b.real_time * { ns: 1e-6, us: 1e-3, ms: 1 }[b.time_unit];
};
// A formula as "C12 H20 N1 O3" with its elements sorted, whatever the notation.
const key = (text) => {
  const counts = {};
  for (const [, symbol, n] of text.matchAll(/([A-Z][a-z]?)\s*(\d*)/g)) {
    counts[symbol] = (counts[symbol] || 0) + (n === '' ? 1 : Number(n));
  }
  return Object.keys(counts).filter((s) => counts[s] > 0).sort()
    .map((s) => `${s}${counts[s]}`).join(' ');
};
const cell = (text, width) => String(text).padStart(width);

console.log(`formula search, composition texts built on both sides; mf-finder in a process of its own for each query, warmed with ${peer.warm_calls} calls of it or 3 s, and at least ${peer.warm_seconds} s, ${peer.rounds} timed rounds`);
console.log(`  ${'window'.padEnd(17)}${'elements'.padEnd(44)}${cell('results', 9)}${cell('sets', 11)}` +
  `${cell('ours ms', 10)}${cell('mf-finder ms', 14)}${cell('ratio', 8)}`);
const notes = [];
let worst = Infinity;
peer.queries.forEach((q, i) => {
  const ours = JSON.parse(fs.readFileSync(path.join(oursDir, `query${i}.json`)));
  const oursSet = new Map(ours.results.map((r) => [key(r.composition), r.mass]));
  const peerSet = new Map(q.formulas.map(([mf, em]) => [key(mf), em]));
  const target = Number(q.target), tolerance = Number(q.tolerance);
  const edge = (em) => Math.min(Math.abs(em - (target - tolerance)), Math.abs(em - (target + tolerance)));
  const differing = [];
  for (const [k, em] of oursSet) if (!peerSet.has(k)) differing.push(['only ours', k, em]);
  for (const [k, em] of peerSet) if (!oursSet.has(k)) differing.push(['only mf-finder', k, em]);
  const name = `${q.target}+-${q.tolerance}/${q.ranges.join('_')}`;
  const oursMs = medianMs(`BM_FormulaSearchWithTexts/${name}`);
  const ratio = q.median_ms / oursMs;
  worst = Math.min(worst, ratio);
  const sets = differing.length === 0 ? 'identical' : `${differing.length} differ`;
  console.log(`  ${`${q.target} +- ${q.tolerance}`.padEnd(17)}${q.ranges.join(' ').padEnd(44)}` +
    `${cell(oursSet.size, 9)}${cell(sets, 11)}${cell(oursMs.toFixed(4), 10)}` +
    `${cell(q.median_ms.toFixed(3), 14)}${cell(ratio.toFixed(1) + 'x', 8)}`);
  for (const [side, k, em] of differing) {
    const exact = side === 'only ours' ? new MF(k.replace(/ /g, '')).getInfo().monoisotopicMass : em;
    notes.push(`    ${q.target} +- ${q.tolerance}: ${side} ${k}, exact mass ${exact.toFixed(9)}, ` +
      `${edge(exact).toExponential(2)} u from the window's edge`);
  }
});
for (const note of notes) console.log(note);
console.log(`  smallest ratio: ${worst.toFixed(1)}x`);
