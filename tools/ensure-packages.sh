#!/usr/bin/env bash
# Installs the Debian packages that building and testing Tessary need, if any is missing.
# Runs apt-get update once, only when something must be installed.
set -euo pipefail

packages=(
  cmake ninja-build g++ ccache
  locales
  libgtest-dev googletest libbenchmark-dev
  clang libclang-rt-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine64 xvfb x11-utils xcompmgr xdotool imagemagick
  wixl msitools
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
