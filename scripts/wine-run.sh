#!/usr/bin/env bash
# CMake's cross-compiling emulator: runs one Windows program under Wine in the build tree's
# prefix. The display and prefix come from scripts/with-wine.sh.
if [ -z "${DISPLAY:-}" ]; then
    echo "wine-run: no display; run the tests through scripts/with-wine.sh" >&2
    exit 2
fi
source "$(dirname "$0")/wine-env.sh"
exec "$ORVANE_WINE" "$@"
