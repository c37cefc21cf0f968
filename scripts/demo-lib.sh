# What the demo and the screenshot script share: sourced, not run.
#   demo_build TARGET...        configure and build the Windows preset's targets quietly
#   demo_folder DIR             a program folder with the monitor, the emulated service, the
#                               language files and the companion (the monitor keeps its files
#                               beside itself)
# Inside scripts/with-wine.sh (a display and the prefix are there):
#   driver ARGS...              tools/driver (orvdriver), its output without carriage returns
#   shoot CLASS FILE [whole]    a screenshot of the window of that class, cropped to it: to the
#                               client area of a captioned one, whose frame no window manager
#                               draws under Xvfb, unless "whole" (Wine draws a tool window's)
#   demo_start DIR              the monitor of DIR against the demo scenario; waits for it
#   demo_stop                   the normal close path, then wait for the process
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

demo_build() {
    cmake --preset "$ORVANE_WINE_PRESET" >/dev/null
    cmake --build --preset "$ORVANE_WINE_PRESET" --target "$@" >/dev/null
}

demo_folder() {
    local dir=$1
    mkdir -p "$dir/statistics" "$dir/plugins"
    cp "$ORVANE_BIN/orvane.exe" "$ORVANE_BIN/rasapi32.dll" "$dir/"
    rm -rf "$dir/Languages"
    cp -r "$ORVANE_BIN/Languages" "$dir/"
    cp "$ORVANE_BIN/plugins/talvex.exe" "$dir/plugins/"
}

driver() { "$ORVANE_WINE" "$ORVANE_BIN/orvdriver.exe" "$@" | tr -d '\r'; }

shoot() {
    local rect
    local which=shot-rect
    [ "${3:-}" = whole ] && which=rect
    rect=$(driver "$which" "$1" -) || { echo "no $1 window to photograph" >&2; return 1; }
    # A palette PNG without metadata: the interface has few colours, the files stay small.
    import -window root -crop "$rect" +repage -strip "PNG8:$2"
}

demo_start() {
    ORVANE_RAS_SCENARIO=$("$ORVANE_WINE" winepath -w "$ORVANE_ROOT/tools/scenarios/demo.scn")
    export ORVANE_RAS_SCENARIO
    "$ORVANE_WINE" "$1/orvane.exe" &
    demo_program=$!
    driver wait TForm2 ORVMainWindow 20000 || { echo "the monitor did not start" >&2; return 1; }
}

demo_stop() {
    driver post TForm2 ORVMainWindow 16 0 # WM_CLOSE: the normal close path
    driver gone TForm2 ORVMainWindow 10000
    wait "$demo_program"
    # The demo runs with "Автозагрузка" on; the prefix must not start a monitor at its next boot.
    "$ORVANE_WINE" reg delete "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run" \
        /v Orvane /f >/dev/null 2>&1 || true
}
