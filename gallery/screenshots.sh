#!/usr/bin/env bash
# Photographs skinned windows with gallery.exe under Wine: every registered window, or
# the names given as arguments. Pictures go to $BUILD_ROOT/gallery/<name>.png.
# Run scripts/build.sh first. With no usable display it starts Xvfb on
# :${GALLERY_DISPLAY_NUMBER:-93}.
set -euo pipefail
source "$(dirname "$0")/../scripts/env.sh"
ensure_wine_prefix

gallery="$STAGE_DIR/gallery.exe"
[ -f "$gallery" ] || { echo "gallery.exe is not built; run scripts/build.sh" >&2; exit 1; }

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  export DISPLAY=:${GALLERY_DISPLAY_NUMBER:-93}
  if ! xdpyinfo >/dev/null 2>&1; then
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
    for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  fi
fi

out="$BUILD_ROOT/gallery"
mkdir -p "$out"
cd "$STAGE_DIR"
if [ $# -gt 0 ]; then
  names=("$@")
else
  mapfile -t names < <(wine gallery.exe --list 2>/dev/null | tr -d '\r')
fi

status=0
for name in "${names[@]}"; do
  file=${name//:/_}
  bmp="$out/$file.bmp"
  rm -f "$bmp"
  if timeout 60 wine gallery.exe "$name" --shot "$(winepath -w "$bmp")" >/dev/null 2>&1 && [ -f "$bmp" ]; then
    convert "$bmp" "$out/$file.png" && rm -f "$bmp"
    echo "$out/$file.png"
  else
    echo "no picture of $name" >&2
    status=1
  fi
done
exit $status
