#!/usr/bin/env bash
# make demo: checks and flies the shipped 32-bit DLL through the 32-bit
# lumvet-host.exe under 32-bit Wine, the 64-bit DLL under wine64 and the Linux
# shared object natively, fails unless the three flights agree, and opens the
# shipped DLL's replay in headless Chromium for its screenshots.
set -euo pipefail
cd "$(dirname "$0")/.."

demo=build/demo
wine32="cmake/wine-run.sh 32 build/win32/wineprefix"
wine64="cmake/wine-run.sh 64 build/win64/wineprefix"
crlf_to_lf() { tr -d '\r'; }
native_host=build/native/host/lumvet-host
mkdir -p "$demo"

echo "=== check, 32-bit Windows: dist/win32/lumvet-host.exe check dist/win32/Lumvet.dll"
$wine32 dist/win32/lumvet-host.exe check dist/win32/Lumvet.dll | crlf_to_lf | tee "$demo/check-win32.txt"
echo "=== check, 64-bit Windows: dist/win64/lumvet-host.exe check dist/win64/Lumvet.dll"
$wine64 dist/win64/lumvet-host.exe check dist/win64/Lumvet.dll | crlf_to_lf | tee "$demo/check-win64.txt"
echo "=== check, Linux: $native_host check build/native/Lumvet.so"
$native_host check build/native/Lumvet.so | tee "$demo/check-native.txt"

# fly RUNTIME COMMAND...: flies into $demo/RUNTIME and keeps its frames as
# frames-RUNTIME.csv.
fly() {
    local runtime=$1
    shift
    echo "=== fly, $runtime"
    rm -rf "${demo:?}/$runtime"
    "$@" --out "$demo/$runtime" | crlf_to_lf > "$demo/summary-$runtime.txt"
    cat "$demo/summary-$runtime.txt"
    mv "$demo/$runtime/frames.csv" "$demo/frames-$runtime.csv"
}
fly win32 $wine32 dist/win32/lumvet-host.exe fly dist/win32/Lumvet.dll
fly win64 $wine64 dist/win64/lumvet-host.exe fly dist/win64/Lumvet.dll
fly native $native_host fly build/native/Lumvet.so

# The shipped DLL's flight is the demo's: its frames, its picture and its
# replay, seen in Chromium at a parked and at a tracking moment.
mv "$demo/frames-win32.csv" "$demo/frames.csv"
mv "$demo/win32/flight.svg" "$demo/win32/replay.html" "$demo/"
rm -rf "${demo:?}/win32" "${demo:?}/win64" "${demo:?}/native"

echo "=== replay: build/demo/replay.html in headless Chromium"
scripts/replay-screenshots.sh "$demo/replay.html" "$demo"

echo "=== compare: positions to the bit, angles within 1e-12 relative"
for runtime in win64 native; do
    echo -n "win32 against $runtime: "
    $native_host compare "$demo/frames.csv" "$demo/frames-$runtime.csv"
done

value() { awk -v key="$1" '$1 == key { print $2 }' "$demo/summary-win32.txt"; }
echo
echo "| frames | parked | lifts | texts shown | keys (ignored) | checks passed (win32) | checks passed (win64) | checks passed (native) |"
echo "|---|---|---|---|---|---|---|---|"
echo "| $(value frames) | $(value parked) | $(value lifts) | $(value texts) |" \
     "$(awk '$1 == "keys" { print $2, $3, $4 }' "$demo/summary-win32.txt") |" \
     "$(tail -1 "$demo/check-win32.txt") | $(tail -1 "$demo/check-win64.txt") | $(tail -1 "$demo/check-native.txt") |"
echo
echo "wrote $demo/flight.svg, $demo/replay.html (open it in a browser), $demo/replay-parked.png,"
echo "  $demo/replay-tracking.png and $demo/replay-page.png from the shipped DLL's flight ($demo/frames.csv),"
echo "  and $demo/frames-win64.csv and $demo/frames-native.csv"
