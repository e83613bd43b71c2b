#!/usr/bin/env bash
# Installs the Windows package silently under Wine in German, starts the installed
# program, changes its language by running the installer again, then uninstalls it;
# checks what each step leaves on disk, and that a rerun which must stop (the program
# running, an unknown language) stops with its status and changes nothing.
# Usage: installer_test.sh <setup.exe> <run folder>   (WINEPREFIX and DISPLAY come from the caller)
set -euo pipefail
setup=$1
stage=$2
folder_win='C:\InstallerTest\OrvaneKeyboard'
folder=$(winepath -u "$folder_win" 2>/dev/null)
menu=$(winepath -u 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Orvane Gaming Keyboard' 2>/dev/null)

fail() { echo "FAIL: $*" >&2; exit 1; }
wait_for() {  # seconds, description, command...
  local limit=$1 what=$2; shift 2
  local end=$((SECONDS + limit))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $end ] || fail "timed out waiting for $what"
    sleep 0.2
  done
}
cleanup() {
  wine taskkill /F /IM Tavrel.exe >/dev/null 2>&1 || true
  wine taskkill /F /IM Pondrel.exe >/dev/null 2>&1 || true
}
trap cleanup EXIT
# Every file of the installation with its size and time: a run that stopped leaves it so.
snapshot() { find "$folder" -printf '%P %s %T@\n' | sort; }
expect_status() {  # status, description, command...: the command stops with that status
  local want=$1 what=$2 before status=0; shift 2
  before=$(snapshot)
  "$@" >/dev/null 2>&1 || status=$?
  [ "$status" -eq "$want" ] || fail "$what: exit status $status, not $want"
  [ "$(snapshot)" = "$before" ] || fail "$what: the installation changed"
}

rm -rf "$folder"
wine "$setup" /S /SIMULATOR /LANG=de "/D=$folder_win" >/dev/null 2>&1
wait_for 60 "the installed program" test -f "$folder/uninstall.exe"
for f in Tavrel.exe tavrelctl.exe lang.dll Pondrel.exe setup.exe Skins/skin_Config.ini; do
  [ -f "$folder/$f" ] || fail "$f not installed"
done
cmp -s "$folder/lang.dll" "$stage/Languages/lang_de.dll" || fail "lang.dll is not the German library"
wine "$folder/tavrelctl.exe" --version 2>/dev/null | grep -q '^tavrelctl ' || fail "the installed tavrelctl.exe does not run"
[ -n "$menu" ] && { ls "$menu"/*.lnk >/dev/null 2>&1 || fail "no Start menu entry"; }

# The installed program starts and opens its main window.
(cd "$folder" && wine Tavrel.exe >/dev/null 2>&1 &)
wait_for 60 "the main window" xdotool search --name '^Orvane Gaming Keyboard$'
expect_status 3 "a rerun while the program runs" wine "$setup" /S /LANG=ru "/D=$folder_win"
# _?= keeps the uninstaller in place, so its status is its own.
expect_status 3 "an uninstall while the program runs" wine "$folder/uninstall.exe" /S "_?=$folder_win"
cleanup

# Modify: the kept installer, run again, puts another language in place and leaves
# the user's data folder alone.
appdata=$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')" 2>/dev/null)
data="$appdata/Orvane Gaming Keyboard"
mkdir -p "$data"
echo "the user's own file" > "$data/installer-test-marker"
# Run again until the stopped program has ended: until then it changes nothing.
wait_for 60 "Modify to Russian" wine "$folder/setup.exe" /S /LANG=ru
cmp -s "$folder/lang.dll" "$stage/Languages/lang_ru.dll" || fail "Modify did not install Russian"
# The installed language is remembered: a rerun without /LANG keeps it.
wine "$folder/setup.exe" /S >/dev/null 2>&1 || fail "a rerun without /LANG failed"
cmp -s "$folder/lang.dll" "$stage/Languages/lang_ru.dll" || fail "a rerun without /LANG replaced Russian"
expect_status 2 "an unknown language code" wine "$folder/setup.exe" /S /LANG=xx
grep -q "user's own file" "$data/installer-test-marker" || fail "Modify touched the data folder"
rm -f "$data/installer-test-marker"

wine "$folder/uninstall.exe" /S >/dev/null 2>&1
wait_for 60 "the uninstaller to remove the program" test ! -e "$folder/Tavrel.exe"
wait_for 30 "the uninstaller to remove its folder" test ! -e "$folder"
# The uninstaller removes the Start menu entries after the folder: wait for them too.
[ -n "$menu" ] && wait_for 30 "the uninstaller to remove the Start menu entry" test ! -e "$menu"

# A keyboard monitor already in the folder is never replaced by the simulator, and the
# uninstaller leaves it where it was.
mkdir -p "$folder"
echo "the keyboard's own monitor" > "$folder/Pondrel.exe"
wine "$setup" /S /SIMULATOR "/D=$folder_win" >/dev/null 2>&1
wait_for 60 "the second installation" test -f "$folder/uninstall.exe"
grep -q "keyboard's own monitor" "$folder/Pondrel.exe" || fail "the simulator replaced an existing monitor"
wine "$folder/uninstall.exe" /S >/dev/null 2>&1
wait_for 60 "the second uninstallation" test ! -e "$folder/Tavrel.exe"
grep -q "keyboard's own monitor" "$folder/Pondrel.exe" || fail "the uninstaller removed a monitor it did not install"
rm -rf "$folder"
echo "installer: install, start, running program, remembered language, uninstall and monitor protection passed"
