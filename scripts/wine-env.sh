# The Wine settings shared by every script: sourced, not run.
ORVANE_ROOT=${ORVANE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
# The Windows build the Wine layers run. Some machines (ours among them) cannot execute 32-bit
# Linux programs at all, so Wine's 32-bit loader never starts there: the tests run the x86-64
# build under the 64-bit loader by default. ORVANE_WINE_PRESET=win32 runs the i686 build where
# 32-bit programs do run.
export ORVANE_WINE_PRESET=${ORVANE_WINE_PRESET:-win64}
if [ "$ORVANE_WINE_PRESET" = win64 ]; then
    export WINEARCH=win64
    export WINELOADER=/usr/lib/wine/wine64
    ORVANE_WINE=$WINELOADER
else
    ORVANE_WINE=wine
fi
export ORVANE_WINE
export ORVANE_BIN="$ORVANE_ROOT/build/$ORVANE_WINE_PRESET/bin"
export WINEPREFIX=${ORVANE_WINEPREFIX:-$ORVANE_ROOT/build/wineprefix-$ORVANE_WINE_PRESET}
export WINEDEBUG=-all
# No Mono or Gecko installer; our emulated remote-access service beside the program wins.
export WINEDLLOVERRIDES="mscoree,mshtml=;rasapi32=n,b"
