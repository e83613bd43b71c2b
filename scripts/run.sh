#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it under Wine with the
# substitute monitor beside it. With no display it runs on Xvfb and saves a screenshot
# of the main window.
set -euo pipefail
source "$(dirname "$0")/env.sh"

"$REPO_DIR/scripts/install-deps.sh"
# Only what running needs: the tests are built by the test command.
"$REPO_DIR/scripts/build.sh" --program
ensure_wine_prefix

main_title="Orvane Gaming Keyboard"
monitor_title="Orvane Gaming Keyboard Monitor"

window_of() {  # exact title
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}

wait_window() {  # exact title, tenths of a second
  local i
  for i in $(seq "$2"); do
    [ -n "$(window_of "$1")" ] && return 0
    sleep 0.1
  done
  return 1
}

# The monitor first, as on a machine where it starts with the session: the program
# then takes its configuration from the monitor's shared section.
start_monitor() {
  (cd "$STAGE_DIR" && exec wine Pondrel.exe >/dev/null 2>&1) &
  monitor_pid=$!
  wait_window "$monitor_title" 300 || echo "The substitute monitor did not open its window; going on without it."
}

stop_monitor() {
  # Asks the running monitor to quit, through its own control option.
  (cd "$STAGE_DIR" && timeout 20 wine Pondrel.exe --quit >/dev/null 2>&1) || true
  wait "$monitor_pid" 2>/dev/null || true
}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  start_monitor
  status=0
  (cd "$STAGE_DIR" && wine Tavrel.exe) || status=$?
  stop_monitor
  exit $status
fi

display=:${RUN_DISPLAY_NUMBER:-98}
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
cleanup() {
  [ -n "${program_pid:-}" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "${monitor_pid:-}" ] && stop_monitor
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

start_monitor
(cd "$STAGE_DIR" && exec wine Tavrel.exe >/dev/null 2>&1) &
program_pid=$!
if ! wait_window "$main_title" 300; then
  echo "The main window did not appear." >&2
  exit 1
fi
main=$(window_of "$main_title")
# The picture is taken once the window has painted: two grabs in a row that agree.
shot="$BUILD_ROOT/screenshot.png"
previous=""
for _ in $(seq 50); do
  current=$(import -window "$main" rgb:- 2>/dev/null | md5sum)
  [ -n "$previous" ] && [ "$current" = "$previous" ] && break
  previous=$current
  sleep 0.2
done
eval "$(xdotool getwindowgeometry --shell "$main")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot"
echo "No display: ran under Xvfb on $display. Screenshot of the main window: $shot"
