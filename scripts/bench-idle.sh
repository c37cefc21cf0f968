#!/usr/bin/env bash
# Measures what the monitor costs while it only watches: for each case it starts a program under
# Wine, lets it settle, and over MINUTES (default 3, decimals allowed) takes
#   - the CPU time of its Wine process from the Linux side (utime + stime of /proc/PID/stat, as %
#     of one core; cpu_ns_percent is the same from the threads' schedstat, finer grained), and
#     the CPU time of the prefix's wineserver meanwhile (it serves every program of the prefix);
#   - its private bytes and working set from inside Windows (tools/procmem: GetProcessMemoryInfo),
#     and its private resident memory from the Linux side (RssAnon): Wine reports PrivateUsage
#     as the swapped-out size only, so the goal on private memory is checked on RssAnon.
# Cases: floor (tools/idlefloor: a trivial window with a one-second timer), drawfloor
# (tools/drawfloor: the monitor's visible work of a session each second, the floating picture
# drawn and copied to its window and the tray tip set), live (a session with traffic from the
# emulated service, main window hidden), none (no connection), stored (no connection, 10 000
# sessions in statistics\dialstat.xml). It prints every figure, then the ratios to the floor
# (the live session's also to drawfloor, which does the same visible work) and the goals.
#
#   scripts/bench-idle.sh [MINUTES [CASE...]]
#   ORVANE_BENCH_BIN=DIR   the programs to measure (default build/win64/bin); DIR needs
#                          orvane.exe, rasapi32.dll, procmem.exe, idlefloor.exe, drawfloor.exe,
#                          orvdriver.exe
#   ORVANE_BENCH_BINS="before=DIR1 after=DIR2"  several builds, measured alternately
#   ORVANE_BENCH_ROUNDS=N  repeat everything N times (default 1)
#
# It runs in a Wine prefix of its own (build/wineprefix-bench), so test runs in the usual prefix
# do not wait for it, and each case in a Wine session of its own: programs started one after
# another in one session measured higher and higher, whatever they were.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" != --inside ]; then
    minutes=${1:-3}
    shift || true
    cases=${*:-floor drawfloor live none stored}
    export ORVANE_WINEPREFIX=${ORVANE_BENCH_PREFIX:-$root/build/wineprefix-bench}
    source "$root/scripts/wine-env.sh"
    programs=${ORVANE_BENCH_BINS:-programs=${ORVANE_BENCH_BIN:-$ORVANE_BIN}}
    work="$root/build/bench-idle"
    rm -rf "$work"
    mkdir -p "$work"
    for entry in $programs; do
        bin=${entry#*=}
        for needed in orvane.exe rasapi32.dll procmem.exe idlefloor.exe drawfloor.exe orvdriver.exe; do
            [ -f "$bin/$needed" ] || { echo "bench-idle: $bin/$needed is missing" >&2; exit 2; }
        done
        echo "${entry%%=*}: $(cd "$bin" && pwd)"
    done
    echo "minutes per case: $minutes; rounds: ${ORVANE_BENCH_ROUNDS:-1}"
    for round in $(seq "${ORVANE_BENCH_ROUNDS:-1}"); do
        for entry in $programs; do
            for name in $cases; do
                printf '%s round=%s load=%s ' "${entry%%=*}" "$round" \
                    "$(cut -d' ' -f1 /proc/loadavg)"
                "$root/scripts/with-wine.sh" "$0" --inside "$minutes" \
                    "$(cd "${entry#*=}" && pwd)" "$work" "$name" || echo "$name failed"
            done
        done
    done | tee "$work/cases.txt"
    # Ratios to the floor of the same programs and round, and the goals: a live session at most
    # 2x the floor's CPU, no connection at most 1.2x, and the private memory with 10 000 stored
    # sessions at most the floor's + 3 MB. The live session's CPU is also given against drawfloor
    # (when it was measured): what following the connection costs beyond what it shows.
    awk '
        {
            key = $1 " " $2
            for (i = 5; i <= NF; ++i) { split($i, kv, "="); v[key, $4, kv[1]] = kv[2] }
            if ($4 != "floor") cases[key SUBSEP $4] = 1
        }
        END {
            for (c in cases) {
                split(c, k, SUBSEP)
                f = v[k[1], "floor", "cpu_percent"]
                g = v[k[1], "floor", "cpu_ns_percent"]
                if (f == "") continue
                printf "%s %s cpu/floor=%.2f (schedstat %.2f) rss_anon-floor_mb=%.1f", k[1], k[2],
                       (f > 0 ? v[k[1], k[2], "cpu_percent"] / f : 0),
                       (g > 0 ? v[k[1], k[2], "cpu_ns_percent"] / g : 0),
                       v[k[1], k[2], "rss_anon_mb"] - v[k[1], "floor", "rss_anon_mb"]
                d = v[k[1], "drawfloor", "cpu_percent"]
                e = v[k[1], "drawfloor", "cpu_ns_percent"]
                if (k[2] == "live" && d != "")
                    printf " cpu/drawfloor=%.2f (schedstat %.2f)",
                           (d > 0 ? v[k[1], k[2], "cpu_percent"] / d : 0),
                           (e > 0 ? v[k[1], k[2], "cpu_ns_percent"] / e : 0)
                if (k[2] == "live") printf " (goal cpu/floor <= 2)"
                if (k[2] == "none") printf " (goal cpu/floor <= 1.2)"
                if (k[2] == "stored") printf " (goal rss_anon-floor_mb <= 3)"
                printf "\n"
            }
        }' "$work/cases.txt" | sort
    exit 0
fi

# ---- Inside the private display and prefix (scripts/with-wine.sh): one case, one line.
shift
minutes=$1 bin=$2 work=$3 name=$4
seconds=$(awk -v m="$minutes" 'BEGIN { printf "%d", m * 60 }')
settle=15
ticks=$(getconf CLK_TCK)

driver() { "$ORVANE_WINE" "$bin/orvdriver.exe" "$@" | tr -d '\r'; }

# utime + stime of all the process's threads, in clock ticks (fields after the command name).
cpu_ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
# Time on a CPU of the threads alive now, in nanoseconds.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%d", s }'; }
server_ticks() { if [ -n "$1" ]; then cpu_ticks "$1"; else echo 0; fi; }

# The wineserver of this prefix works in a folder named server-DEV-INODE of the prefix folder.
wineserver_pid() {
    local dir pid
    dir=$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
    for pid in $(pgrep -x 'wineserver(64)?' || true); do
        if [ "$(basename "$(readlink "/proc/$pid/cwd" 2>/dev/null)")" = "$dir" ]; then
            echo "$pid"
            return
        fi
    done
}

# Private memory as Linux sees it: the resident anonymous pages.
rss_anon_kb() { awk '/^RssAnon:/ { print $2 }' "/proc/$1/status"; }

settings() {
    # Every case starts from the defaults, with "Автозагрузка" off so nothing is written to the
    # prefix's Run key.
    "$ORVANE_WINE" reg delete 'HKCU\Software\Quillon\Orvane' /f >/dev/null 2>&1 || true
    "$ORVANE_WINE" reg add 'HKCU\Software\Quillon\Orvane\Main' /v AutoRun /t REG_SZ /d 0 /f \
        >/dev/null 2>&1
}

live_scenario() {
    cat >"$1" <<'SCN'
# A line that stays up for the whole measurement, moving traffic every second.
device "Standard 56000 bps K56Flex Modem" modem
entry "Bench ISP" phone 5550123
session "Bench ISP"
    at 0
    link 49333
    compression 38 12
    client 10.44.17.203
    server 10.44.0.1
    rate 0 1000000 4800 350
SCN
}

# measure CASE EXE CLASS CAPTION: starts EXE, measures it and closes it by WM_CLOSE.
measure() {
    local name=$1 exe=$2 class=$3 caption=$4
    local pid server c0 c1 n0 n1 s0 s1 memory anon
    "$ORVANE_WINE" "$exe" >/dev/null 2>&1 &
    pid=$!
    if ! driver wait "$class" "$caption" 30000 >/dev/null; then
        echo "bench-idle: $name: no $class window" >&2
        kill "$pid" 2>/dev/null || true
        return 1
    fi
    if ! tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q "$(basename "$exe")"; then
        echo "bench-idle: $name: process $pid is not $(basename "$exe")" >&2
        return 1
    fi
    sleep "$settle"
    server=$(wineserver_pid)
    c0=$(cpu_ticks "$pid") n0=$(cpu_ns "$pid") s0=$(server_ticks "$server")
    sleep "$seconds"
    c1=$(cpu_ticks "$pid") n1=$(cpu_ns "$pid") s1=$(server_ticks "$server")
    memory=$("$ORVANE_WINE" "$bin/procmem.exe" "$(basename "$exe")" | tr -d '\r')
    anon=$(rss_anon_kb "$pid")
    driver post "$class" "$caption" 16 0 >/dev/null || true
    driver gone "$class" "$caption" 20000 >/dev/null || true
    wait "$pid" 2>/dev/null || true
    awk -v name="$name" -v c="$((c1 - c0))" -v n="$((n1 - n0))" -v s="$((s1 - s0))" \
        -v t="$ticks" -v secs="$seconds" -v mem="$memory" -v anon="$anon" 'BEGIN {
            split(mem, f, /[ =]/)
            printf "%s cpu_percent=%.3f cpu_ns_percent=%.3f wineserver_percent=%.3f " \
                   "private_mb=%.1f working_set_mb=%.1f rss_anon_mb=%.1f\n", name,
                   100 * c / t / secs, 100 * n / 1e9 / secs, 100 * s / t / secs,
                   f[4] / 1048576, f[6] / 1048576, anon / 1024
        }'
}

folder="$work/$name"
rm -rf "$folder"
mkdir -p "$folder/statistics"
settings
unset ORVANE_RAS_SCENARIO ORVANE_RAS_CONTROL ORVANE_RAS_SPEED
case $name in
    floor)
        cp "$bin/idlefloor.exe" "$folder/"
        measure floor "$folder/idlefloor.exe" OrvIdleFloor - ;;
    drawfloor)
        cp "$bin/drawfloor.exe" "$folder/"
        measure drawfloor "$folder/drawfloor.exe" OrvDrawFloor - ;;
    live | none | stored)
        cp "$bin/orvane.exe" "$bin/rasapi32.dll" "$folder/"
        if [ "$name" = live ]; then
            live_scenario "$folder/live.scn"
            ORVANE_RAS_SCENARIO=$("$ORVANE_WINE" winepath -w "$folder/live.scn" | tr -d '\r')
            export ORVANE_RAS_SCENARIO
        fi
        if [ "$name" = stored ]; then
            python3 "$root/scripts/make-statistics.py" "$folder/statistics/dialstat.xml" 10000
        fi
        measure "$name" "$folder/orvane.exe" TForm2 ORVMainWindow ;;
    *) echo "bench-idle: unknown case $name" >&2; exit 2 ;;
esac
