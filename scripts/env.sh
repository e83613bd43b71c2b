# Sourced by the other scripts: folders and the Wine environment of this checkout.
REPO_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_ROOT=${BUILD_ROOT:-$REPO_DIR/build}
NATIVE_BUILD=$BUILD_ROOT/native
WIN_BUILD=$BUILD_ROOT/win
STAGE_DIR=$WIN_BUILD/stage

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEPREFIX=${WINEPREFIX:-$BUILD_ROOT/wineprefix}
export WINEARCH=win64

# Creates the Wine prefix when it does not exist yet and waits until it is ready.
ensure_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
  fi
}
