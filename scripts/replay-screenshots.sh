#!/usr/bin/env bash
# Opens a replay.html of the default flight in headless Chromium (WebGL
# through SwiftShader) and takes three screenshots into OUT-DIR: the view
# alone at a parked moment (replay-parked.png) and at a tracking moment
# (replay-tracking.png), and the whole page at the tracking moment
# (replay-page.png). Fails on any error the page logs, on a page that did not
# get as far as drawing its frame, on a blank view, and on two views that
# are the same.
# Usage: replay-screenshots.sh REPLAY.html OUT-DIR
set -euo pipefail
page=$(realpath "$1")
out=$(realpath -m "$2")
here=$(dirname "$0")
parked_at=5     # the aircraft comes in from the east, beyond the vicinity
tracking_at=28  # up mode, 15 above the aircraft, a quarter of the way out
mkdir -p "$out"
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT

# shoot NAME ADDRESS-FRAGMENT EXPECTED-STATE WINDOW-SIZE
shoot() {
    local log="$out/$1.log" started tenths
    started=$(date +%s%N)
    # As root Chromium needs --no-sandbox; the background services would only
    # knock on a closed network.
    chromium --headless --no-sandbox --use-gl=swiftshader --enable-unsafe-swiftshader \
        --no-first-run --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$profile" --enable-logging=stderr --v=0 \
        --virtual-time-budget=5000 --window-size="$4" \
        --screenshot="$out/$1.png" "file://$page#$2" 2> "$log" > /dev/null || true
    tenths=$((($(date +%s%N) - started) / 100000000))
    echo "$1.png: $((tenths / 10)).$((tenths % 10)) s in Chromium"
    if grep -E 'CONSOLE.*"(Uncaught|replay error:)' "$log"; then
        echo "FAIL $1: the page logged an error"; exit 1
    fi
    grep -q "\"replay ready: .* $3\"" "$log" || {
        echo "FAIL $1: the page did not draw a $3 frame:"; grep CONSOLE "$log" || tail -5 "$log"; exit 1; }
    [ -s "$out/$1.png" ] || { echo "FAIL $1: no screenshot"; exit 1; }
    rm -f "$log"
}
shoot replay-parked "t=$parked_at&view" parked 960,540
shoot replay-tracking "t=$tracking_at&view" tracking 960,540
shoot replay-page "t=$tracking_at" tracking 1280,720
/usr/bin/python3 "$here/check-screenshots.py" "$out/replay-parked.png" "$out/replay-tracking.png"
