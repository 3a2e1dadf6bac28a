#!/usr/bin/env bash
# Flies the default flight and opens its replay.html in headless Chromium:
# scripts/replay-screenshots.sh fails on any error the page logs, a blank
# view, or parked and tracking views that are the same.
# Usage: browser_test.sh LUMVET-HOST PLUGIN OUT-DIR
set -euo pipefail
out=$(realpath -m "$3")
rm -rf "$out"
mkdir -p "$out"
"$1" fly "$2" --out "$out" > "$out/fly.txt"
[ -f "$out/replay.html" ] || { echo "fly wrote no replay.html:"; cat "$out/fly.txt"; exit 1; }
echo "replay.html: $(stat -c %s "$out/replay.html") bytes"
"$(dirname "$0")/../../scripts/replay-screenshots.sh" "$out/replay.html" "$out"
echo "PASS the replay opens in Chromium without errors; parked and tracking views drawn and different"
