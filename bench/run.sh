#!/usr/bin/env bash
# Builds the program and prints its figures, each beside its target, measured in one
# run under Wine: start-up against the lean floor program (the program's window tree
# and nothing else) and, for information, the first floor program and a minimal
# one-window program; the apply, peak private memory after every page and dialog, and
# the main window's outline. Exit status 0 when every figure meets its target.
#   BENCH_RUNS=n     start-ups of each program (default 15; applies: three times as many)
#   --startup-only   the start-ups alone
set -euo pipefail
source "$(dirname "$0")/../scripts/env.sh"

"$REPO_DIR/scripts/build.sh"
ensure_wine_prefix

bench_xvfb_pid=
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  export DISPLAY=:${BENCH_DISPLAY_NUMBER:-92}
  if ! xdpyinfo >/dev/null 2>&1; then
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    bench_xvfb_pid=$!
    for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  fi
fi
cleanup() {
  [ -n "$bench_xvfb_pid" ] && kill "$bench_xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

bench_dir="$WIN_BUILD/bench/win"
stage=$(winepath -w "$STAGE_DIR" 2>/dev/null)
(cd "$bench_dir" && wine bench_program.exe "$stage" "${BENCH_RUNS:-15}" "$@")
