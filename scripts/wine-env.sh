# The Wine settings shared by every script: sourced, not run.
ORVANE_ROOT=${ORVANE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${ORVANE_WINEPREFIX:-$ORVANE_ROOT/build/wineprefix}
export WINEDEBUG=-all
# No Mono or Gecko installer; our emulated remote-access service beside the program wins.
export WINEDLLOVERRIDES="mscoree,mshtml=;rasapi32=n,b"
