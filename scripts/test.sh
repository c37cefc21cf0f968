#!/usr/bin/env bash
# Installs what is missing, builds the host, win32 and win64 presets, makes the packages, and runs
# every test layer: host unit tests, Win32 tests under Wine, and whole-program tests under Wine
# (among them the installer's). The last line is "N passed, N failed" over all layers and the
# packaging; the exit code is non-zero on any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
logdir="$root/build/test-logs"

step() { printf '\n== %s\n' "$*"; }
fail() { echo "test: $*" >&2; echo "0 passed, 1 failed"; exit 1; }

step "dependencies"
scripts/install-deps.sh || fail "could not install the build dependencies"

# The Windows build the Wine layers run is built whole; of the other one only what is shipped
# (its tests could not run here, and leaving them out keeps a fresh run well inside 20 minutes).
wine_preset=$(. scripts/wine-env.sh && echo "$ORVANE_WINE_PRESET")
for preset in host win32 win64; do
    step "configure and build $preset"
    targets=()
    if [ "$preset" != host ] && [ "$preset" != "$wine_preset" ]; then
        targets=(--target orvane talvex)
    fi
    cmake --preset "$preset" >/dev/null || fail "configuring $preset failed"
    cmake --build --preset "$preset" "${targets[@]}" || fail "building $preset failed"
done
mkdir -p "$logdir"

passed=0
failed=0
# Adds one ctest run's counts ("N% tests passed, F tests failed out of T") to the totals.
count() {
    local line total bad
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n1)
    if [ -z "$line" ]; then
        grep -q 'No tests were found' "$1" && return 0
        failed=$((failed + 1))
        return 0
    fi
    bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
}

step "set-up script"
# scripts/install-deps.sh against stand-in package tools: a broken index, no i386, a missing package.
tests/scripts/install_deps_test.sh 2>&1 | tee "$logdir/install-deps.log"
counts=$(tail -n1 "$logdir/install-deps.log")
if [[ "$counts" =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]]; then
    passed=$((passed + BASH_REMATCH[1]))
    failed=$((failed + BASH_REMATCH[2]))
else
    failed=$((failed + 1))
fi

step "packages"
# A package that cannot be made counts as one failure; the whole-program tests install it.
scripts/package.sh 2>&1 | tee "$logdir/package.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || failed=$((failed + 1))

step "host unit tests"
ctest --preset host -j2 2>&1 | tee "$logdir/host.log"
count "$logdir/host.log"

step "Win32 tests and whole-program tests under Wine"
# The Wine layers run the build that wine-env.sh names (the x86-64 one unless told otherwise).
# The whole-program tests run one at a time in a prefix (the single-instance lock is the
# prefix's), and most of their time is spent waiting for the monitor's minute checks: two
# prefixes take every other test each, side by side.
scripts/with-wine.sh bash -c '
    ctest --preset "$ORVANE_WINE_PRESET" -L win32 -j2 2>&1 | tee "$0/win32.log"
' "$logdir"
second_prefix="$root/build/wineprefix-$wine_preset-second"
ORVANE_WINEPREFIX="$second_prefix" scripts/with-wine.sh bash -c '
    ctest --preset "$ORVANE_WINE_PRESET" -L e2e -I 2,,2 >"$0/e2e-second.log" 2>&1
' "$logdir" &
second=$!
scripts/with-wine.sh bash -c '
    ctest --preset "$ORVANE_WINE_PRESET" -L e2e -I 1,,2 2>&1 | tee "$0/e2e.log"
' "$logdir"
wait "$second"
cat "$logdir/e2e-second.log"
count "$logdir/win32.log"
count "$logdir/e2e.log"
count "$logdir/e2e-second.log"

echo
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
