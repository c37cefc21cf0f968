#!/usr/bin/env bash
# Takes the README's pictures from the demo scenario, into docs/images under stable names:
# for English (en-) and Russian (ru-) the floating window during the demo session, each page of
# the main window and the month chart of the received bytes, and the HTML report the program
# writes, rendered by wkhtmltoimage.
#
#   scripts/screenshots.sh [--dpi 96|144|192|...] [--lang en|ru|both]
#
# Each DPI has a throw-away Wine prefix of its own (build/wineprefix-shots-DPI) whose LogPixels
# is that DPI. Above 96 the pictures are named ...-DPIdpi.png, the report is left out, and the
# high-DPI layout tests (tests/win32/app_high_dpi_test.cpp) run in that prefix first: a control
# that overlaps another or a caption that does not fit stops the script.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dpi=96
languages="en ru"
while [ $# -gt 0 ]; do
    case "$1" in
        --dpi) dpi=$2; shift 2 ;;
        --lang) languages=$2; [ "$languages" = both ] && languages="en ru"; shift 2 ;;
        *) echo "usage: scripts/screenshots.sh [--dpi N] [--lang en|ru|both]" >&2; exit 2 ;;
    esac
done
export ORVANE_WINEPREFIX="$root/build/wineprefix-shots-$dpi"
# A high-DPI screen is a large one: room for the main window beside the floating window.
[ "$dpi" -lt 144 ] || export ORVANE_XVFB_SCREEN=1920x1200x24
source "$root/scripts/demo-lib.sh"

"$root/scripts/install-deps.sh"
if [ "$dpi" = 96 ] && ! command -v wkhtmltoimage >/dev/null; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends wkhtmltopdf
fi
demo_build orvane rasapi32 orvdriver talvex orvane_win32_tests

demo="$root/build/shots-$dpi"
demo_folder "$demo"
images="$root/docs/images"
mkdir -p "$images"

"$root/scripts/with-wine.sh" bash -c '
    set -euo pipefail
    demo=$1 images=$2 dpi=$3 languages=$4
    source "$5/scripts/demo-lib.sh"
    suffix=""
    [ "$dpi" = 96 ] || suffix="-${dpi}dpi"

    # Wine 8 reads the DPI from HKCU\Control Panel\Desktop LogPixels (before the machine-wide
    # HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts one) when its
    # server starts: set it, then restart the server.
    "$ORVANE_WINE" reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d "$dpi" \
        /f >/dev/null
    wineserver -k
    wineserver -p
    "$ORVANE_WINE" wineboot >/dev/null 2>&1
    if [ "$dpi" != 96 ]; then
        ORVANE_EXPECT_DPI=$dpi "$ORVANE_WINE" "$ORVANE_BIN/orvane_win32_tests.exe" \
            --gtest_filter="HighDpi.*" --gtest_brief=1 | tr -d "\r"
    fi

    pages=(information statistics detailed-statistics dial events settings launcher about allowance)
    for lang in $languages; do
        language=Eng
        [ "$lang" = ru ] && language=Rus
        "$ORVANE_WINE" reg add "HKCU\\Software\\Quillon\\Orvane\\Main" /v Language /d "$language" \
            /f >/dev/null
        # A monthly allowance, so that its figures show under the statistics and in the tray.
        "$ORVANE_WINE" reg add "HKCU\\Software\\Quillon\\Orvane\\Main" /v MonthTrafficLimit \
            /d 2048 /f >/dev/null
        "$ORVANE_WINE" reg add "HKCU\\Software\\Quillon\\Orvane\\Main" /v MonthTimeLimit \
            /d 40 /f >/dev/null
        # A year of sample sessions for the session list, the month chart and the report.
        cp "$5/tools/scenarios/demo-statistics.xml" "$demo/statistics/dialstat.xml"
        demo_start "$demo"
        sleep 20   # the demo session connects and moves some traffic
        shoot TForm2 "$images/$lang-floating-window$suffix.png"
        # The tray text as the pointer resting on the icon shows it (kept beside the demo, to
        # look at): the tray callback with NIN_POPUPOPEN, then NIN_POPUPCLOSE.
        driver post TForm2 ORVMainWindow 32769 0 1030
        sleep 1
        import -window root -strip "PNG8:$demo/$lang-tray-text$suffix.png"
        driver post TForm2 ORVMainWindow 32769 0 1031
        # The page switch of the pop-up menu: WM_COMMAND with the page code (3 = page 0).
        for page in 0 1 2 3 4 5 6 7; do
            driver post TForm2 ORVMainWindow 273 $((page + 3))
            sleep 1.5
            shoot TForm1 "$images/$lang-page-$page-${pages[$page]}$suffix.png"
        done
        # The allowance page has no page code: its tab, as the keyboard selects it.
        driver tab TForm1 - 8
        sleep 1.5
        shoot TForm1 "$images/$lang-page-8-${pages[8]}$suffix.png"
        # The month chart of the received bytes: page 2, the choice "Received", "Show Detail".
        driver post TForm2 ORVMainWindow 273 5
        sleep 1
        driver click TForm1 - RadioButton4
        driver click TForm1 - SpeedButton6
        driver wait TFrmStat - 5000
        sleep 1
        shoot TFrmStat "$images/$lang-month-chart$suffix.png" whole
        driver post TFrmStat - 16 0
        # The report is written in English whatever the language: once is enough.
        if [ "$dpi" = 96 ] && [ "$lang" = en ]; then
            report="$demo/report.html"
            rm -f "$report"
            driver press TForm1 - SpeedButton8
            driver save-as "$("$ORVANE_WINE" winepath -w "$report")" 10000
            for _ in $(seq 50); do [ -s "$report" ] && break; sleep 0.2; done
            # The head of the report: its title row and the first dozen sessions.
            wkhtmltoimage --quiet --width 1280 --height 404 "$report" "$demo/report.png"
            convert "$demo/report.png" -strip "PNG8:$images/html-report.png"
            # The same list as CSV, the second kind of the dialog, printed for a look.
            csv="$demo/report.csv"
            rm -f "$csv"
            driver press TForm1 - SpeedButton8
            driver save-as "$("$ORVANE_WINE" winepath -w "$csv")" 10000 2
            for _ in $(seq 50); do [ -s "$csv" ] && break; sleep 0.2; done
            echo "The CSV export, its first lines:"
            head -n 4 "$csv"
        fi
        demo_stop
    done
' _ "$demo" "$images" "$dpi" "$languages" "$root"
echo "Pictures in $images:"
ls "$images"
