#!/usr/bin/env bash
# make demo: checks and flies the 64-bit Windows DLL through lumvet-host.exe
# under wine64, then the Linux shared object through the native lumvet-host,
# and fails if the two flights disagree.
set -euo pipefail
cd "$(dirname "$0")/.."

demo=build/demo
wine="cmake/wine-run.sh 64 build/win64/wineprefix"
crlf_to_lf() { tr -d '\r'; }
native_host=build/native/host/lumvet-host
mkdir -p "$demo"

echo "=== check, Windows (wine64): dist/win64/lumvet-host.exe check dist/win64/Lumvet.dll"
$wine dist/win64/lumvet-host.exe check dist/win64/Lumvet.dll | crlf_to_lf | tee "$demo/check-win64.txt"
echo "=== check, Linux: $native_host check build/native/Lumvet.so"
$native_host check build/native/Lumvet.so | tee "$demo/check-native.txt"

echo "=== fly, Windows (wine64)"
$wine dist/win64/lumvet-host.exe fly dist/win64/Lumvet.dll --out "$demo" | crlf_to_lf | tee "$demo/summary-win64.txt"
echo "=== fly, Linux"
rm -rf "$demo/native"
$native_host fly build/native/Lumvet.so --out "$demo/native" > "$demo/summary-native.txt"
mv "$demo/native/frames.csv" "$demo/frames-native.csv"
rm -rf "$demo/native"

echo "=== compare: positions to the bit, angles within 1e-12 relative"
$native_host compare "$demo/frames.csv" "$demo/frames-native.csv"

value() { awk -v key="$1" '$1 == key { print $2 }' "$demo/summary-win64.txt"; }
echo
echo "| frames | parked | lifts | texts shown | keys (ignored) | checks passed (win64) | checks passed (native) |"
echo "|---|---|---|---|---|---|---|"
echo "| $(value frames) | $(value parked) | $(value lifts) | $(value texts) | $(awk '$1 == "keys" { print $2, $3, $4 }' "$demo/summary-win64.txt") | $(tail -1 "$demo/check-win64.txt") | $(tail -1 "$demo/check-native.txt") |"
echo
echo "wrote $demo/flight.svg, $demo/frames.csv (Windows run) and $demo/frames-native.csv"
