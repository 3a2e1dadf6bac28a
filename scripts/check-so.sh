#!/usr/bin/env bash
# The Linux shared object exports the five entry points and nothing else.
# Usage: check-so.sh Lumvet.so
set -u
exports=$(nm -D --defined-only "$1" | awk '{ print $3 }' | sort | tr '\n' ' ')
expected="DLLGetReferenceNumber DLLGetSDKVersion DLLInit DLLInitPrivate DLLKill "
if [ "$exports" = "$expected" ]; then
    echo "PASS exports: $exports"
else
    echo "FAIL exports: $exports, expected $expected"
    exit 1
fi
