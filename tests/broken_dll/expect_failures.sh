#!/usr/bin/env bash
# The PE check on the broken DLL must fail, and fail each of these checks.
# Usage: expect_failures.sh CHECK-PE OBJDUMP DLL
out=$("$1" "$2" "$3")
status=$?
echo "$out"
[ $status -ne 0 ] || { echo "the check passed a broken DLL"; exit 1; }
for name in module-name exports export-count plain-ret-ordinal-3 plain-ret-ordinal-4 plain-ret-hook-slot-4 \
            version-resource version-ProductName; do
    grep -q "^FAIL $name:" <<<"$out" || { echo "not caught: $name"; exit 1; }
done
