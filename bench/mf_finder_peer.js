// Times the npm package mf-finder on every query of formula_queries.txt. Each query is timed in
// a node process of its own, so that no query runs on a heap that a larger one has left behind
// (after the largest queries, mf-finder's small ones are slow for hundreds of calls while the
// collector works through it): first a warm-up of that query alone (its JIT compiles the hot
// paths only after many calls: calls for at least a second, and WARM_CALLS calls unless they
// take more than three seconds), then the median of ROUNDS timed calls. Each call builds the
// formula texts, as ours does with its composition texts. mf-finder is asked for neutral
// molecules without electron mass, with its unsaturation minimum at 0 (our search bounds
// hydrogen by saturation), its window in ppm and its result limit out of the way. Both sides search with the same element masses: ours from
// data/elements.csv as our table holds them (single precision), handed to mf-finder with each
// range, so the two formula sets can be compared to the last formula at the window's edge.
// Usage: node mf_finder_peer.js QUERIES_FILE ELEMENTS_CSV OUT_JSON [WARM_CALLS] [ROUNDS]
// (with a sixth argument, a query's index, it times that query and prints its JSON).
const fs = require('fs');
const path = require('path');
const { findMFs } = require(path.join(__dirname, 'node_modules', 'mf-finder'));

const [queriesFile, elementsFile, outFile, warmArg, roundsArg, queryArg] = process.argv.slice(2);
// Symbol -> exact mass of the most abundant isotope as a single-precision number.
const exactMass = new Map(fs.readFileSync(elementsFile, 'utf8').split('\n')
  .filter((line) => line && !line.startsWith('#'))
  .map((line) => line.split(','))
  .filter((fields) => fields.length >= 8)
  .map((fields) => [fields[1], Math.fround(Number(fields[5]))]));
const warmCalls = Number(warmArg || 400);
const rounds = Number(roundsArg || 9);

const queries = fs.readFileSync(queriesFile, 'utf8').split('\n')
  .map((line) => line.trim()).filter((line) => line && !line.startsWith('#'))
  .map((line) => {
    const [target, tolerance, ...ranges] = line.split(/\s+/);
    return { target: Number(target), tolerance: Number(tolerance), targetText: target, toleranceText: tolerance, ranges };
  });

const rangeOf = (word) => {
  const [, mf, min, max] = word.match(/^([A-Z][a-z]?)(\d+)-(\d+)$/);
  if (!exactMass.has(mf)) throw new Error(`no mass for ${mf}`);
  return { mf, min: Number(min), max: Number(max), em: exactMass.get(mf) };
};
const options = (q) => ({
  ranges: q.ranges.map(rangeOf),
  precision: (q.tolerance / q.target) * 1e6,
  allowNeutral: true,
  limit: 1e8,
  maxIterations: 1e12,
  filter: { unsaturation: { min: 0 } },
});

const warmSeconds = 1;

// One query: the warm-up, then the timed rounds.
const timeQuery = async (q) => {
  let calls = 0;
  const warmStart = process.hrtime.bigint();
  // Calls for at least a second, as a small query needs thousands of calls before the JIT has
  // compiled all of its paths, and WARM_CALLS calls unless they take more than three seconds.
  const seconds = () => Number(process.hrtime.bigint() - warmStart) / 1e9;
  while (calls < 3 || seconds() < warmSeconds || (calls < warmCalls && seconds() < 3 * warmSeconds)) {
    await findMFs(q.target, options(q));
    ++calls;
  }
  const times = [];
  let result;
  for (let r = 0; r < rounds; r++) {
    const start = process.hrtime.bigint();
    result = await findMFs(q.target, options(q));
    times.push(Number(process.hrtime.bigint() - start) / 1e6);
  }
  times.sort((a, b) => a - b);
  return {
    target: q.targetText, tolerance: q.toleranceText, ranges: q.ranges, warm_calls: calls,
    median_ms: times[Math.floor(times.length / 2)],
    formulas: result.mfs.map((m) => [m.mf, m.em]),
  };
};

if (queryArg !== undefined) {
  timeQuery(queries[Number(queryArg)]).then((out) => process.stdout.write(JSON.stringify(out)));
} else {
  const { execFileSync } = require('child_process');
  const out = queries.map((_, i) => JSON.parse(execFileSync(
    process.execPath,
    [__filename, queriesFile, elementsFile, '-', String(warmCalls), String(rounds), String(i)],
    { maxBuffer: 1 << 30 })));
  fs.writeFileSync(outFile, JSON.stringify({ warm_calls: warmCalls, warm_seconds: warmSeconds, rounds, queries: out }));
}
