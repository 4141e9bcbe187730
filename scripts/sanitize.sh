#!/usr/bin/env bash
# Builds the core, the command-line tool and the key library with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-sanitize/, and runs their tests there: every reader,
# computation and save under the sanitizers. (The GUI is tested in the normal build.)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQZX_WERROR=ON \
      -DQZX_SANITIZE=ON -DQZX_BUILD_BENCH=OFF >/dev/null
cmake --build build-sanitize --parallel "$(nproc)" --target qzx_core_tests qzx-calc \
      qzx_calc_chem_tests qzx_calc_fragments_tests qzx_calc_spectrum_tests qzx_calc_explain_tests \
      qzx_keysend_tests qzx_keysend_c_abi_test
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
# Leaks inside system libraries (libdbus under X11) are suppressed, not worked around.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build-sanitize
status=0
for test in bin/qzx_core_tests bin/qzx_calc_chem_tests bin/qzx_calc_fragments_tests \
            bin/qzx_calc_spectrum_tests bin/qzx_calc_explain_tests bin/qzx_keysend_tests; do
  echo "== $test (sanitizers)"
  "$test" --gtest_brief=1 || status=1
done
echo "== keysend C interface and MOL interoperability (sanitizers)"
ctest --output-on-failure -R '^(keysend\.c_abi|cli\.mol_openbabel|cli\.mol_rdkit)$' || status=1
exit "$status"
