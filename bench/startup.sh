#!/usr/bin/env bash
# Start-up of printer-test against a bare Qt window, side by side under one Xvfb: time from
# launch to the window being mapped, and resident memory once it is. Runs each N times
# (default 10), alternating, and prints the medians.
#   bench/startup.sh [BUILD_DIR] [N]
set -euo pipefail
build=${1:-build}
runs=${2:-10}
if [ -z "${STARTUP_UNDER_XVFB:-}" ]; then
    STARTUP_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$build" "$runs"
fi

# Prints "milliseconds rss_kib" for one start of $1 whose window is titled $2.
measure() {
    local start end pid rss
    start=$(date +%s%N)
    "$1" >/dev/null 2>&1 &
    pid=$!
    # xdotool's own --sync polls twice a second; a tight loop resolves a few milliseconds.
    for _ in $(seq 4000); do
        xdotool search --onlyvisible --name "$2" >/dev/null 2>&1 && break
        sleep 0.002
    done
    end=$(date +%s%N)
    sleep 0.3 # let the first paint finish before reading memory
    rss=$(awk '/VmRSS/ {print $2}' /proc/$pid/status)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$(((end - start) / 1000000)) $rss"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

: >/tmp/startup-bare.txt
: >/tmp/startup-pt.txt
for _ in $(seq "$runs"); do
    measure "$build/bench/bare_window" "Bare Qt Window" >>/tmp/startup-bare.txt
    measure "$build/printer-test" "Printer Test Program" >>/tmp/startup-pt.txt
done
bare_ms=$(cut -d' ' -f1 /tmp/startup-bare.txt | median)
bare_rss=$(cut -d' ' -f2 /tmp/startup-bare.txt | median)
pt_ms=$(cut -d' ' -f1 /tmp/startup-pt.txt | median)
pt_rss=$(cut -d' ' -f2 /tmp/startup-pt.txt | median)
echo "bare Qt window: ${bare_ms} ms to mapped, ${bare_rss} KiB resident (median of $runs)"
echo "printer-test:   ${pt_ms} ms to mapped, ${pt_rss} KiB resident (median of $runs)"
awk -v a="$pt_ms" -v b="$bare_ms" -v c="$pt_rss" -v d="$bare_rss" \
    'BEGIN {printf "ratios: time %.2f (limit 1.5), memory %.2f (limit 1.3)\n", a/b, c/d}'
