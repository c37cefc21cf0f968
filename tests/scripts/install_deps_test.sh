#!/usr/bin/env bash
# scripts/install-deps.sh against stand-in apt-get, dpkg and dpkg-query: a failing index update
# and an uninstallable i386 package do not stop the set-up; a needed package that cannot be
# installed does, and is named. Prints "N passed, N failed"; exits non-zero on a failure.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

# The stand-ins keep the installed packages in $FAKE/installed, one a line; apt-get installs
# all or nothing of one call, as the real one does, and refuses anything in $FAKE/refused and
# every :i386 package.
mkdir -p "$work/bin"
cat >"$work/bin/dpkg-query" <<'STUB'
#!/usr/bin/env bash
pkg=${!#}
grep -qxF "$pkg" "$FAKE/installed" && { printf 'install ok installed'; exit 0; }
exit 1
STUB
cat >"$work/bin/dpkg" <<'STUB'
#!/usr/bin/env bash
exit 0
STUB
cat >"$work/bin/apt-get" <<'STUB'
#!/usr/bin/env bash
echo "apt-get $*" >>"$FAKE/calls"
case " $* " in
*" update "*) echo "E: Failed to fetch ... Mirror sync in progress?" >&2; exit 100 ;;
esac
pkgs=()
for arg in "$@"; do
    case "$arg" in install|-*) ;; *) pkgs+=("$arg") ;; esac
done
for pkg in "${pkgs[@]}"; do
    if [[ "$pkg" == *:i386 ]] || grep -qxF "$pkg" "$FAKE/refused"; then
        echo "E: Unable to locate package $pkg" >&2
        exit 100
    fi
done
printf '%s\n' "${pkgs[@]}" >>"$FAKE/installed"
STUB
cat >"$work/bin/sudo" <<'STUB'
#!/usr/bin/env bash
exec "$@"
STUB
chmod +x "$work/bin/"*

# Runs the script in a fresh fake machine holding the packages named in $1 (space separated),
# refusing those in $2; leaves its output in $work/out and its exit code in $code.
run() {
    export FAKE="$work/case"
    rm -rf "$FAKE"
    mkdir -p "$FAKE"
    printf '%s\n' $1 >"$FAKE/installed"
    printf '%s\n' $2 >"$FAKE/refused"
    : >"$FAKE/calls"
    PATH="$work/bin:$PATH" ORVANE_APT_RETRY_PAUSE=0 "$root/scripts/install-deps.sh" >"$work/out" 2>&1
    code=$?
}
check() {
    if eval "$2"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: $1"
        sed 's/^/    /' "$work/out"
    fi
}

run "cmake make" ""
check "a broken index and no i386 still end in success" '[ "$code" -eq 0 ]'
check "the update is tried twice" '[ "$(grep -c "apt-get update" "$FAKE/calls")" -eq 2 ]'
check "the missing i386 support is said in one line" \
    '[ "$(grep -c "i686 build is compiled but not run" "$work/out")" -eq 1 ]'
check "every needed package got installed" 'grep -qxF nsis "$FAKE/installed" && grep -qxF wine64 "$FAKE/installed"'

run "" "nsis"
check "a needed package that cannot be installed fails the set-up" '[ "$code" -ne 0 ]'
check "and is named" 'grep -q "could not install nsis" "$work/out"'
check "the other packages are installed all the same" 'grep -qxF wine64 "$FAKE/installed"'

needed=$(sed -n '/^needed=(/,/)/p' "$root/scripts/install-deps.sh" | tr -d '()' | sed 's/needed=//')
run "$needed" ""
check "a machine with every needed package asks apt-get nothing" '[ "$code" -eq 0 ] && [ ! -s "$FAKE/calls" ]'

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
