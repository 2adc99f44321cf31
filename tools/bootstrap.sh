#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Does nothing (quickly) when all are there.
set -euo pipefail

packages=(
  cmake g++ make clang libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine32:i386 wine64
  libgl1:i386 libgl1-mesa-dri:i386 libglx-mesa0:i386 libgl1-mesa-dri libglx-mesa0
  fonts-wine xvfb xserver-xephyr xauth x11-apps x11-utils xdotool imagemagick
  libpng-dev libgif-dev
  libx11-dev libxext-dev xscreensaver
  alsa-utils libasound2-plugins:i386 sox file python3
  nsis
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "bootstrap: installing ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
