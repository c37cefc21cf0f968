#!/usr/bin/env bash
# Runs the monitor under Wine against the emulated remote-access service playing the demo
# scenario (a session that connects, moves traffic for about two minutes, drops and returns).
# With a display it runs until you close it. Without one it runs inside a private Xvfb for about
# 55 seconds, saves screenshots of the floating window, of the main window's pages 0 and 1
# while the demo session is up, of the dial page during a dial, of the settings page (English)
# and of a month chart, closes the program through its normal close path and prints the folder
# of the screenshots.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/demo-lib.sh"

"$root/scripts/install-deps.sh"
demo_build orvane rasapi32 orvdriver talvex speechemu

demo="$root/build/demo"
demo_folder "$demo"
# Speech control listens to the emulated recogniser, registered in this throw-away prefix only;
# every line appended to speech.txt is heard (docs/scenarios.md).
: >"$demo/speech.txt"

if [ -n "${DISPLAY:-}" ]; then
    [ -f "$WINEPREFIX/system.reg" ] || "$ORVANE_WINE" wineboot -i >/dev/null 2>&1
    ORVANE_RAS_SCENARIO=$("$ORVANE_WINE" winepath -w "$root/tools/scenarios/demo.scn")
    ORVANE_SPEECH_CONTROL=$("$ORVANE_WINE" winepath -w "$demo/speech.txt")
    export ORVANE_RAS_SCENARIO ORVANE_SPEECH_CONTROL
    "$ORVANE_WINE" regsvr32 /s "$("$ORVANE_WINE" winepath -w "$ORVANE_BIN/speechemu.dll")"
    echo "Orvane runs; close it from its tray menu (Выход)."
    echo "Speech control: switch \"Голос. управл.\" on, then e.g. echo 'more statistics' >> $demo/speech.txt"
    exec "$ORVANE_WINE" "$demo/orvane.exe"
fi

# The month chart's screenshot needs sessions of every month: a year of evenings, its dates in
# the regional format of the Wine prefix (M/d/yyyy h:mm:ss tt).
cp "$root/tools/scenarios/demo-statistics.xml" "$demo/statistics/dialstat.xml"

shots="$root/build/demo-screenshots"
rm -rf "$shots"
mkdir -p "$shots"
"$root/scripts/with-wine.sh" bash -c '
    set -u
    demo=$1 shots=$2
    source "$3/scripts/demo-lib.sh"
    demo_start "$demo" || exit 1
    sleep 20   # the demo session connects and moves some traffic
    shoot TForm2 "$shots/floating-window.png"
    # The page switch of the pop-up menu: WM_COMMAND with the page code (3 = page 0).
    for code in 3 4; do
        driver post TForm2 ORVMainWindow 273 "$code"
        sleep 3
        shoot TForm1 "$shots/main-window-page-$((code - 3)).png"
    done
    # The dial page during a dial: "Dial" hangs up the demo line and dials "Home ISP" again.
    driver post TForm2 ORVMainWindow 273 6
    sleep 2
    driver click TForm1 - BitBtn1
    sleep 1.5
    shoot TForm1 "$shots/dial-page-dialing.png"
    # The settings page in English: Languages\Eng.lang is applied by the default language.
    driver post TForm2 ORVMainWindow 273 8
    sleep 2
    shoot TForm1 "$shots/main-window-settings.png"
    # The month chart of the received bytes: page 2, the choice "Received", "Show Detail".
    driver post TForm2 ORVMainWindow 273 5
    sleep 2
    driver click TForm1 - RadioButton4
    driver click TForm1 - SpeedButton6
    if driver wait TFrmStat - 5000; then
        sleep 1
        shoot TFrmStat "$shots/month-chart.png" whole
    fi
    sleep 5
    shoot TForm2 "$shots/floating-window-later.png"
    demo_stop
' _ "$demo" "$shots" "$root"
echo "Screenshots: $shots"
ls "$shots"
