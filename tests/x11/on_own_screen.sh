#!/usr/bin/env bash
# Runs a command on a private Xvfb display of the given size, e.g.
#   on_own_screen.sh 800x600 build/tests/qzx_screen_fit_x11_tests
# Exits 77 (skipped) when Xvfb is not installed.
set -euo pipefail
size=$1
shift
command -v Xvfb >/dev/null || { echo "Xvfb is not installed: skipped"; exit 77; }
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$displayfile" 2>/dev/null &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -f "$displayfile"' EXIT
for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
[ -s "$displayfile" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -n1 "$displayfile")"
"$@"
