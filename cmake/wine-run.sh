#!/bin/sh
# Runs a Windows program under Wine with a prefix of its own.
# Usage: wine-run.sh 32|64 PREFIX PROGRAM [ARGS...]
#   32: a 32-bit prefix and the 32-bit loader (wine32), for 32-bit programs;
#   64: a 64-bit prefix and wine64, which also starts 32-bit programs.
# The first start creates the prefix; a lock keeps parallel tests from
# creating it twice. A 64-bit prefix made before wine32 was installed cannot
# start 32-bit programs, so it is made again.
bits=$1
prefix=$(realpath -m "$2")
shift 2
# Where 32-bit code runs through qemu-i386, Wine reserves the address space
# above 2 GiB in small steps, each of which walks qemu's page tables; a
# reserved range up front makes a start take seconds instead of most of a
# minute. Without qemu the variable means nothing.
export WINEPREFIX="$prefix" WINEDEBUG=-all QEMU_RESERVED_VA=0x7fff0000
case $bits in
    32) loader=/usr/lib/wine/wine; export WINEARCH=win32 ;;
    64) loader=/usr/lib/wine/wine64; export WINEARCH=win64 ;;
    *) echo "wine-run.sh: the first argument is 32 or 64" >&2; exit 2 ;;
esac
mkdir -p "$prefix"
flock "$prefix/.create-lock" sh -c '
    if [ "$WINEARCH" = win64 ] && [ -f "$WINEPREFIX/system.reg" ] && [ -e /usr/lib/wine/wine ] &&
       [ ! -e "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
        echo "wine-run.sh: $WINEPREFIX was made without wine32; making it again" >&2
        find "$WINEPREFIX" -mindepth 1 -maxdepth 1 ! -name .create-lock -exec rm -rf {} +
    fi
    [ -f "$WINEPREFIX/system.reg" ] || '"$loader"' wineboot --init >/dev/null 2>&1'
exec "$loader" "$@"
