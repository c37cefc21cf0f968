#!/usr/bin/env bash
# Installs what building and testing need on Debian 12; does nothing when all is present.
set -euo pipefail

native=(cmake make g++ googletest libgtest-dev libgmock-dev libbenchmark-dev
        g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools
        wine wine64 xvfb xauth imagemagick libxml2-utils libxml2-dev nsis zip)
i386=(wine32:i386)

missing=()
for pkg in "${native[@]}" "${i386[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo dpkg --add-architecture i386
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${native[@]}"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${i386[@]}"
