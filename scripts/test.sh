#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the native unit
# tests, the same under the sanitizers with the fuzz targets, the Windows-side tests
# under Wine and the end-to-end tests of the real program under Wine on Xvfb.
set -euo pipefail
source "$(dirname "$0")/env.sh"

"$REPO_DIR/scripts/install-deps.sh"
"$REPO_DIR/scripts/build.sh"

status=0
echo "== native unit tests"
ctest --test-dir "$NATIVE_BUILD" --output-on-failure -j2 || status=1

# Its own build folder (clang, ASan, UBSan, libFuzzer). It runs beside the tests under
# Wine, which spend much of their time waiting on windows and timers; its report is
# printed when it has finished.
sanitize_log=$BUILD_ROOT/sanitize-phase.log
mkdir -p "$BUILD_ROOT"
"$REPO_DIR/scripts/sanitize.sh" >"$sanitize_log" 2>&1 &
sanitize_pid=$!

echo "== Windows-side tests under Wine"
ensure_wine_prefix
ensure_unmanaged_test_windows
# Tests under Wine create windows (the substitute monitor, stand-in main windows), and
# Wine needs an X server for any window: use the caller's display or start Xvfb.
test_xvfb_pid=
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  export DISPLAY=:${TEST_DISPLAY_NUMBER:-91}
  if ! xdpyinfo >/dev/null 2>&1; then
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    test_xvfb_pid=$!
    for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  fi
fi
ctest --test-dir "$WIN_BUILD" --output-on-failure --repeat until-pass:2 || status=1

if compgen -G "$REPO_DIR/tests/e2e/test_*.py" >/dev/null; then
  echo "== end-to-end tests under Wine and Xvfb"
  # The system interpreter carries Debian's pytest even where another python3 comes first.
  python=python3
  [ -x /usr/bin/python3 ] && python=/usr/bin/python3
  # A rerun is reported by name in the summary: a test that needs one is a timing fault
  # to fix, and the rerun keeps it from hiding the rest of the run meanwhile.
  STAGE_DIR="$STAGE_DIR" "$python" -m pytest -q -p no:cacheprovider --reruns 2 -r R "$REPO_DIR/tests/e2e" || status=1
fi

sanitize_status=0
wait "$sanitize_pid" || sanitize_status=$?
cat "$sanitize_log"
[ "$sanitize_status" -eq 0 ] || { echo "sanitizer phase failed" >&2; status=1; }

wineserver -k 2>/dev/null || true
[ -n "$test_xvfb_pid" ] && kill "$test_xvfb_pid" 2>/dev/null || true
exit $status
