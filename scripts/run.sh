#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it under Wine with the
# substitute monitor beside it. With no display it runs on Xvfb and saves a screenshot.
set -euo pipefail
source "$(dirname "$0")/env.sh"

"$REPO_DIR/scripts/install-deps.sh"
"$REPO_DIR/scripts/build.sh"
ensure_wine_prefix

program="$STAGE_DIR/Tavrel.exe"
if [ ! -f "$program" ]; then
  program="$STAGE_DIR/Pondrel.exe"
  echo "The main program is not built yet; starting the substitute monitor on its own."
fi

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  display=:${RUN_DISPLAY_NUMBER:-77}
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'wineserver -k 2>/dev/null || true; kill $xvfb_pid 2>/dev/null || true' EXIT
  export DISPLAY=$display
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  (cd "$STAGE_DIR" && wine "$program" >/dev/null 2>&1 &)
  title="Orvane Gaming Keyboard"
  [ "$(basename "$program")" = Pondrel.exe ] && title="Orvane Gaming Keyboard Monitor"
  for _ in $(seq 300); do xdotool search --name "^$title\$" >/dev/null 2>&1 && break; sleep 0.1; done
  xdotool search --sync --onlyvisible --name "^$title\$" >/dev/null
  shot="$BUILD_ROOT/screenshot.png"
  sleep 1  # let the first paint finish before the picture is taken
  import -window root "$shot"
  echo "No display: ran under Xvfb. Screenshot of the running program: $shot"
else
  cd "$STAGE_DIR" && exec wine "$program"
fi
