#!/usr/bin/env bash
# Takes the README's screenshot of the window: printer-test under Xvfb, captured with
# ImageMagick's import into docs/printer-test.png.
#   scripts/screenshot.sh [PROGRAM] [OUTPUT]
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/printer-test}
output=${2:-docs/printer-test.png}
if [ -z "${SCREENSHOT_UNDER_XVFB:-}" ]; then
    SCREENSHOT_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$program" "$output"
fi
unset QT_QPA_PLATFORM
"$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
window=""
for _ in $(seq 1000); do
    window=$(xdotool search --onlyvisible --name '^Printer Test Program V1\.01$' 2>/dev/null | head -n1) && [ -n "$window" ] && break
    sleep 0.01
done
[ -n "$window" ] || { echo "no window"; exit 1; }
sleep 0.5 # the first paint
mkdir -p "$(dirname "$output")"
import -window "$window" "$output"
echo "wrote $output ($(identify -format '%wx%h' "$output"))"
