#!/usr/bin/env bash
# Measures the statistics over generated files of 10 000 and 100 000 sessions (or the counts
# given): the bare streaming parse (xmllint --stream), then open + session list, append with its
# atomic save, the HTML report and the memory of the statistics under Wine with a virtual list
# view; prints the figures and their ratios to the bare parse. The files are in the one-line
# layout of earlier versions, as an upgraded user has them. Needs the statsbench target of the
# Wine build (see scripts/wine-env.sh), which it builds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

measure() {
    sessions=$1
    work="$root/build/bench-stats/$sessions"
    rm -rf "$work"
    mkdir -p "$work/statistics"
    file="$work/statistics/dialstat.xml"
    echo
    echo "== $sessions sessions"

    python3 "$root/scripts/make-statistics.py" "$file" "$sessions"
    echo "file: $sessions sessions, $(stat -c %s "$file") bytes"

    # The bare parse: best of five runs.
    best=""
    for _ in 1 2 3 4 5; do
        start=$(date +%s%N)
        xmllint --stream --noout "$file"
        ms=$(( ($(date +%s%N) - start) / 1000000 ))
        if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
    done
    echo "xmllint_stream_ms=$best"

    out="$work/statsbench.txt"
    "$root/scripts/with-wine.sh" bash -c '
        folder=$("$ORVANE_WINE" winepath -w "$1")\\
        report=$("$ORVANE_WINE" winepath -w "$1/report.html")
        "$2/scripts/wine-run.sh" "$ORVANE_BIN/statsbench.exe" "$folder" "$report"
    ' _ "$work" "$root" | tr -d '\r' | tee "$out"

    figure() { sed -n "s/^$1=//p" "$out"; }
    for name in open_and_list_ms append_median_ms report_ms; do
        awk -v name="$name" -v ms="$(figure "$name")" -v bare="$best" \
            'BEGIN { printf "%s / xmllint = %.2f\n", name, ms / (bare > 0 ? bare : 1) }'
    done
}


# Start-up: from starting orvane.exe to its floating window, with an empty statistics file and
# with the largest file above (best of three each; the first tick follows one timer interval
# later in both cases). The emulated service plays no session.
startup() {
    local count=$1 folder="$root/build/bench-stats/startup"
    rm -rf "$folder"
    mkdir -p "$folder/statistics"
    cp "$ORVANE_BIN/orvane.exe" "$ORVANE_BIN/rasapi32.dll" "$folder/"
    cp -r "$ORVANE_BIN/Languages" "$folder/"
    echo
    echo "== start-up"
    for stored in 0 "$count"; do
        if [ "$stored" -eq 0 ]; then
            rm -f "$folder/statistics/dialstat.xml"
        else
            cp "$root/build/bench-stats/$count/statistics/dialstat.xml" "$folder/statistics/"
        fi
        "$root/scripts/with-wine.sh" bash -c '
            best=""
            for _ in 1 2 3; do
                start=$(date +%s%N)
                "$ORVANE_WINE" "$1/orvane.exe" &
                program=$!
                "$ORVANE_WINE" "$ORVANE_BIN/orvdriver.exe" wait TForm2 ORVMainWindow 30000 >/dev/null
                ms=$(( ($(date +%s%N) - start) / 1000000 ))
                kill "$program"; wait "$program" 2>/dev/null
                if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
            done
            echo "window_after_start_ms_with_$2_sessions=$best"
        ' _ "$folder" "$stored"
    done
}
source "$root/scripts/wine-env.sh"
cmake --build --preset "$ORVANE_WINE_PRESET" --target orvane rasapi32 orvdriver statsbench >/dev/null
if [ $# -eq 0 ]; then set -- 10000 100000; fi
for count in "$@"; do
    measure "$count"
done
startup "$(printf '%s\n' "$@" | sort -n | tail -n1)"
