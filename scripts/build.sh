#!/usr/bin/env bash
# Configures and builds the program and its tests in build/ (warnings are errors).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQZX_WERROR=ON "$@"
cmake --build build --parallel "$(nproc)"
