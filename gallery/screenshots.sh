#!/usr/bin/env bash
# Photographs skinned windows with gallery.exe under Wine: every registered window, or
# the names given as arguments. Pictures go to $BUILD_ROOT/gallery/<name>.png.
#   --lang <code>      in that language (the run folder's Languages/lang_<code>.dll);
#                      the pictures go to $BUILD_ROOT/gallery/<code>/<name>.png
#   --all-languages    in English and every language of the run folder
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

languages=(en)
case "${1:-}" in
  --lang) languages=("${2:?--lang needs a language code}"); shift 2 ;;
  --all-languages)
    shift
    for library in "$STAGE_DIR"/Languages/lang_*.dll; do
      code=${library##*/lang_}
      languages+=("${code%.dll}")
    done ;;
esac

cd "$STAGE_DIR"
if [ $# -gt 0 ]; then
  names=("$@")
else
  mapfile -t names < <(wine gallery.exe --list 2>/dev/null | tr -d '\r')
fi

status=0
for language in "${languages[@]}"; do
  out="$BUILD_ROOT/gallery"
  [ "$language" = en ] || out="$out/$language"
  mkdir -p "$out"
  for name in "${names[@]}"; do
    file=${name//:/_}
    bmp="$out/$file.bmp"
    rm -f "$bmp"
    if timeout 60 wine gallery.exe "$name" --lang "$language" --shot "$(winepath -w "$bmp")" >/dev/null 2>&1 &&
       [ -f "$bmp" ]; then
      convert "$bmp" "$out/$file.png" && rm -f "$bmp"
      echo "$out/$file.png"
    else
      echo "no picture of $name in $language" >&2
      status=1
    fi
  done
done
exit $status
