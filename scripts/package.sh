#!/usr/bin/env bash
# Makes the packages for Windows users into build/packages/: per architecture a portable zip and
# a per-user installer (NSIS). It builds nothing: it packs the release builds in build/win64 and
# build/win32, so run it after building both presets (scripts/test.sh does).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build/packages"
version=$(sed -nE 's/^project\(orvane VERSION ([0-9.]+).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "package: no version in CMakeLists.txt" >&2; exit 1; }

# What a user gets, as it lies in a build's bin folder. Never the emulated rasapi32.dll or
# speechemu.dll, nor any test program: they exist for Wine only.
files=(orvane.exe plugins/talvex.exe Languages/Eng.lang Languages/Rus.lang)
programs=(orvane.exe plugins/talvex.exe)
# The programs link their runtime statically; these are the system's own DLLs they may import.
system_dlls=(advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll
             oleaut32.dll shell32.dll user32.dll winmm.dll version.dll shlwapi.dll)

# Fails when a program imports a DLL that Windows does not have.
check_imports() {
    local triple=$1 program=$2 dll
    for dll in $("$triple-objdump" -p "$program" | sed -nE 's/^\s*DLL Name: (.*)/\1/p'); do
        if [[ " ${system_dlls[*]} " != *" ${dll,,} "* ]]; then
            echo "package: $program needs $dll, which Windows does not have" >&2
            return 1
        fi
    done
}

# One line per program: its name, architecture and size in bytes, e.g.
# "orvane.exe (x86-64): 503,296 bytes" (the size goal of orvane.exe is in docs/performance.md).
print_size() {
    local arch=$1 program=$2
    printf '%s (%s): %s bytes\n' "${program##*/}" "$arch" \
        "$(stat -c %s "$program" | sed -E ':a; s/([0-9])([0-9]{3})($|,)/\1,\2\3/; ta')"
}

# The read-me as Windows' Notepad reads it: CR LF lines, UTF-8 with a byte-order mark.
write_readme() {
    printf '\xef\xbb\xbf' >"$1"
    sed -e "s/ORVANE_VERSION/$version/" -e 's/$/\r/' "$root/packaging/readme.txt" >>"$1"
}

package() {
    local preset=$1 triple=$2 arch=$3 bin="$root/build/$1/bin" stage="$out/stage-$1" file
    for file in "${files[@]}"; do
        [ -f "$bin/$file" ] || { echo "package: $bin/$file is missing; build the $preset preset first" >&2; return 1; }
    done
    for file in "${programs[@]}"; do
        check_imports "$triple" "$bin/$file"
        print_size "$arch" "$bin/$file"
    done

    rm -rf "$stage"
    mkdir -p "$stage/plugins" "$stage/Languages" "$stage/statistics"
    for file in "${files[@]}"; do
        cp "$bin/$file" "$stage/$file"
    done
    write_readme "$stage/readme.txt"
    local zip="$out/orvane-$version-$preset.zip"
    rm -f "$zip"
    (cd "$stage" && zip -q -X -9 -r "$zip" orvane.exe readme.txt plugins Languages statistics)

    makensis -V2 -DARCH="$preset" -DVERSION="$version" -DBIN="$bin" -DREADME="$stage/readme.txt" \
        -DICON="$root/app/orvane.ico" -DOUTFILE="$out/orvane-$version-$preset-setup.exe" \
        "$root/packaging/orvane.nsi"
    rm -rf "$stage"
}

mkdir -p "$out"
package win64 x86_64-w64-mingw32 x86-64
package win32 i686-w64-mingw32 i686
ls -l "$out"/orvane-"$version"-*
