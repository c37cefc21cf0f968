#!/usr/bin/env bash
# Installs what building and testing need on Debian 12; does nothing when all is present.
# A package index that fails to download (a mirror in sync) does not stop the set-up: apt-get
# update is tried twice, then the lists at hand are used. Only a needed package that cannot be
# installed is a failure, and it is named. wine32:i386 is optional: the Wine layers run the
# x86-64 build, and these machines may not execute 32-bit programs at all.
set -uo pipefail

needed=(cmake make g++ googletest libgtest-dev libgmock-dev libbenchmark-dev
        g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools
        wine wine64 xvfb xauth imagemagick libxml2-utils libxml2-dev nsis zip)
optional=(wine32:i386)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
missing_of() { local p; for p in "$@"; do installed "$p" || echo "$p"; done; }
note_no_i386() { echo "install-deps: wine32:i386 is not installed: the i686 build is compiled but not run here"; }

mapfile -t missing < <(missing_of "${needed[@]}")
mapfile -t missing_optional < <(missing_of "${optional[@]}")
if [ ${#missing[@]} -eq 0 ]; then
    # Nothing needed is missing; an optional package is only tried along with a needed one,
    # so a machine without 32-bit support does not update its lists at every run.
    [ ${#missing_optional[@]} -eq 0 ] || note_no_i386
    exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
apt_install() { DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$@"; }

echo "install-deps: installing ${missing[*]}"
$sudo dpkg --add-architecture i386 || echo "install-deps: could not add the i386 architecture"
if ! $sudo apt-get update -qq; then
    echo "install-deps: apt-get update failed; trying once more"
    sleep "${ORVANE_APT_RETRY_PAUSE:-5}"
    $sudo apt-get update -qq ||
        echo "install-deps: apt-get update failed again; going on with the package lists at hand"
fi

# One call for all; when it fails, each package on its own, so that one that cannot be
# installed does not keep the others out.
if ! apt_install "${missing[@]}"; then
    for pkg in "${missing[@]}"; do apt_install "$pkg" || true; done
fi
if [ ${#missing_optional[@]} -gt 0 ]; then
    apt_install "${missing_optional[@]}" >/dev/null 2>&1 || note_no_i386
fi

mapfile -t still < <(missing_of "${needed[@]}")
if [ ${#still[@]} -gt 0 ]; then
    echo "install-deps: could not install ${still[*]}" >&2
    exit 1
fi
exit 0
