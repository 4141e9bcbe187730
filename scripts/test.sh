#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: first those that need no display
# (the GUI ones on Qt's offscreen platform), then those labelled x11 on a private Xvfb display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh

cd build
status=0
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --label-exclude x11 --parallel "$(nproc)" || status=1

if ctest --show-only=json-v1 --label-regex x11 | grep -q '"name"'; then
  displayfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$displayfile" &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -f "$displayfile"' EXIT
  for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$displayfile")"
  ctest --output-on-failure --label-regex x11 || status=1
fi
# The core, file and command-line tests once more under the address and undefined-behaviour
# sanitizers.
cd ..
bash scripts/sanitize.sh || status=1
# Every reader of outside data fuzzed for a short while (longer runs: bash scripts/fuzz.sh 600).
bash scripts/fuzz.sh 20 || status=1
exit "$status"
