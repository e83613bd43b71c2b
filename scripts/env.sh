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
  # The windows draw their texts in "Arial"; without it Wine falls back by family and
  # the skinned windows' fixed-pitch family picks a monospaced face. Liberation Sans
  # has Arial's metrics.
  if ! grep -q '"Arial"="Liberation Sans"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d "Liberation Sans" /f >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
  fi
}

# The test display has no window manager. Wine then waits up to two seconds for one
# whenever a managed window (a dialog) is closed; the Windows-side tests open and
# close dialogs by the hundred, so their program handles its windows itself.
ensure_unmanaged_test_windows() {
  local key='HKCU\Software\Wine\AppDefaults\win_tests.exe\X11 Driver'
  if ! grep -q 'AppDefaults\\\\win_tests.exe\\\\X11 Driver' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add "$key" /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
  fi
}
