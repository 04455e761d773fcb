#!/usr/bin/env bash
# Starts the real program under Xvfb, checks that its window is mapped with its caption and
# size, presses Alt+E (the Exit button's accelerator) and expects exit status 0.
#   exit_test.sh PROGRAM [SCREENSHOT]
set -euo pipefail
if [ -z "${EXIT_TEST_UNDER_XVFB:-}" ]; then
    EXIT_TEST_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
program=$1
unset QT_QPA_PLATFORM
"$program" &
pid=$!
window=""
for _ in $(seq 1000); do
    window=$(xdotool search --onlyvisible --name '^Printer Test Program V1\.01$' 2>/dev/null | head -n1) && [ -n "$window" ] && break
    sleep 0.01
done
[ -n "$window" ] || { echo "no window mapped"; kill "$pid"; exit 1; }
echo "mapped: $(xdotool getwindowgeometry "$window" | tr '\n' ' ')"
if [ -n "${2:-}" ]; then
    sleep 0.3
    import -window root "$2"
fi
xdotool windowfocus --sync "$window"
xdotool key alt+e
for _ in $(seq 500); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.01
done
if kill -0 "$pid" 2>/dev/null; then
    echo "still running after Alt+E"
    kill "$pid"
    exit 1
fi
wait "$pid" && status=0 || status=$?
echo "exit status $status"
[ "$status" -eq 0 ]
