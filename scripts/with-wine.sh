#!/usr/bin/env bash
# Runs a command inside a private Xvfb display with the throw-away Wine prefix of the build
# tree, then stops exactly the Xvfb and Wine server it started (by pid and by prefix). The
# screen is 1280 x 1024 unless ORVANE_XVFB_SCREEN says otherwise (e.g. 1920x1200x24).
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"

# One run at a time per prefix: the end of a run stops the prefix's Wine server, which would
# pull the programs of a second run out from under it.
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
if ! flock -n 9; then
    echo "with-wine: waiting for another run on $WINEPREFIX to finish" >&2
    flock 9
fi

fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${ORVANE_XVFB_SCREEN:-1280x1024x24}" -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
if [ ! -s "$fdfile" ]; then
    echo "with-wine: Xvfb did not start" >&2
    kill "$xvfb_pid" 2>/dev/null
    exit 1
fi
export DISPLAY=":$(head -n1 "$fdfile")"
rm -f "$fdfile"

cleanup() {
    wineserver -k >/dev/null 2>&1
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

# A prefix must be booted inside the display it is used with, and before anything that times
# out (test discovery): the first boot takes about 15 s.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$ORVANE_WINE" wineboot -i >/dev/null 2>&1
fi
wineserver -p >/dev/null 2>&1
"$ORVANE_WINE" wineboot >/dev/null 2>&1

"$@"
