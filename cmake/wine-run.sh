#!/bin/sh
# Runs a Windows program under wine64 with a prefix of its own.
# Usage: wine-run.sh PREFIX PROGRAM [ARGS...]
# The first start creates the prefix; a lock keeps parallel tests from
# creating it twice.
prefix=$(realpath -m "$1")
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all
if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$prefix"
    flock "$prefix/.create-lock" sh -c \
        '[ -f "$WINEPREFIX/system.reg" ] || /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1'
fi
exec /usr/lib/wine/wine64 "$@"
