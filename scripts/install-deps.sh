#!/usr/bin/env bash
# Installs what the build, the program and the tests need, from Debian's packages.
# Idempotent and quiet: it does nothing when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build ccache g++ libgtest-dev libgmock-dev
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine64
  xvfb xdotool x11-utils imagemagick fonts-liberation
  python3 python3-pytest python3-pytest-rerunfailures
  nsis
  libcli11-dev nlohmann-json3-dev
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "missing packages: ${missing[*]} (run as root to install them)" >&2
  exit 1
fi
echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq >/dev/null
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
