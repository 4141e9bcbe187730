#!/usr/bin/env bash
# Runs every fuzz target (fuzz/, libFuzzer with the address and undefined-behaviour
# sanitizers, built with clang in build-fuzz/) for SECONDS each on its seed corpus in
# tests/data/fuzz/<target>, and prints one line per target and a summary. A target that finds
# a fault leaves the input in build-fuzz/findings/ and the script fails.
# usage: bash scripts/fuzz.sh [SECONDS]     (default 20)
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null || exit 1
cmake --build build-fuzz --parallel "$(nproc)" >/dev/null || exit 1
mkdir -p build-fuzz/findings
failed=0
targets=0
for binary in build-fuzz/fuzz_*; do
  [ -x "$binary" ] || continue
  name=${binary#build-fuzz/fuzz_}
  work=build-fuzz/corpus/$name
  mkdir -p "$work"
  cp -n tests/data/fuzz/"$name"/* "$work"/ 2>/dev/null
  targets=$((targets + 1))
  if "$binary" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix=build-fuzz/findings/"$name"- \
      "$work" >build-fuzz/"$name".log 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' build-fuzz/"$name".log | grep -o '[0-9]*$')
    echo "fuzz $name: ${runs:-?} inputs in ${seconds} s, no finding"
  else
    failed=$((failed + 1))
    echo "fuzz $name: FINDING (build-fuzz/$name.log, build-fuzz/findings/)"
    grep -m3 -E 'ERROR|runtime error|SUMMARY' build-fuzz/"$name".log
  fi
done
echo "fuzz: $targets targets, $failed with findings"
[ "$failed" -eq 0 ] && [ "$targets" -gt 0 ]
