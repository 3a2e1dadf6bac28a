#!/usr/bin/env bash
# Checks a built Lumvet.dll the way the host's loader sees it, with binutils:
# machine, module name, the five exports and their ordinals, the imported
# modules, the size budget, that every export returns with a plain `ret`
# (the caller pops the arguments) rather than `ret N`, and (with Debian's
# python3-pefile) the version resource Windows shows in the file's properties.
# Usage: check-pe.sh OBJDUMP DLL
set -u
objdump=$1
dll=$2
failures=0
passes=0

check() {  # name, status of the test (0 = pass), what differed
    if [ "$2" -eq 0 ]; then
        echo "PASS $1"
        passes=$((passes + 1))
    else
        echo "FAIL $1: $3"
        failures=$((failures + 1))
    fi
}

case "$objdump" in
    i686-*) machine="i386" ;;
    x86_64-*) machine="i386:x86-64" ;;
    *) echo "unknown objdump $objdump"; exit 2 ;;
esac

headers=$("$objdump" -p "$dll") || { echo "FAIL objdump -p $dll"; exit 1; }
arch=$("$objdump" -f "$dll" | sed -n 's/^architecture: \([^,]*\),.*/\1/p')
[ "$arch" = "$machine" ]; check machine $? "architecture '$arch', expected '$machine'"

name=$(printf '%s\n' "$headers" | awk '$1 == "Name" && NF == 3 { print $3; exit }')
[ "$name" = "Lumvet.dll" ]; check module-name $? "export directory names '$name'"

base=$(printf '%s\n' "$headers" | awk '/^Ordinal Base/ { print $3; exit }')
[ "$base" = "1" ]; check ordinal-base $? "ordinal base '$base'"

# The name table lists [index] name, the index being ordinal - base.
exports=$(printf '%s\n' "$headers" |
    awk '/^\[Ordinal\/Name Pointer\] Table/ { on = 1; next } on && NF == 0 { exit }
         on { gsub(/[][]/, " "); print $1 + 1, $2 }')
expected=$'1 DLLGetReferenceNumber\n2 DLLGetSDKVersion\n3 DLLInit\n4 DLLInitPrivate\n5 DLLKill'
[ "$exports" = "$expected" ]; check exports $? "ordinals and names are: $(echo $exports)"

count=$(printf '%s\n' "$headers" | awk '/Export Address Table[ \t]+[0-9a-f]+$/ { print $4 + 0; exit }')
[ "$count" = "5" ]; check export-count $? "$count entries in the export address table"

imports=$(printf '%s\n' "$headers" | awk '/DLL Name:/ { print $3 }' | sort | tr '\n' ' ')
[ "$imports" = "KERNEL32.dll msvcrt.dll " ]; check imports $? "imports $imports"

size=$(stat -c %s "$dll")
[ "$size" -lt 65536 ]; check size-under-64KiB $? "$size bytes"

image_base=$(printf '%s\n' "$headers" | awk '/^ImageBase/ { print $2; exit }')
rvas=$(printf '%s\n' "$headers" |
    awk '/^Export Address Table -- Ordinal Base/ { on = 1; next } on && NF == 0 { exit }
         on && /Export RVA/ { gsub(/[][]/, " "); print $(NF - 2) }')
index=0
for rva in $rvas; do
    index=$((index + 1))
    start=$((0x$image_base + 0x$rva))
    # The first return instruction reached from the entry, in address order.
    ret=$("$objdump" -d --start-address=$start --stop-address=$((start + 4096)) "$dll" |
        grep -m1 -E '^ *[0-9a-f]+:.*\sret[lwq]?(\s|$)' | sed 's/.*\t//; s/ *$//')
    [ "$ret" = "ret" ]
    check "plain-ret-ordinal-$index" $? "first return instruction is '$ret'"
done
[ "$index" -eq 5 ]; check export-rvas $? "$index export addresses found"

# The hooks are not exported, but DLLInit stores their addresses into the
# host's table as immediates: movl $hook, slot*4(%reg). Each of the seven must
# return with a plain ret too.
first_ret() {
    "$objdump" -d --start-address=$(($1)) --stop-address=$(($1 + 4096)) "$dll" |
        grep -m1 -E '^ *[0-9a-f]+:.*\sret[lwq]?(\s|$)' | sed 's/.*\t//; s/ *$//'
}
if [ "$machine" = "i386" ]; then
    init=$(printf '%s\n' "$headers" |
        awk '/^Export Address Table -- Ordinal Base/ { on = 1; next } on && NF == 0 { exit }
             on && /\+base\[ *3\]/ { print $(NF - 2) }')
    start=$((0x$image_base + 0x$init))
    end=$("$objdump" -d --start-address=$start --stop-address=$((start + 4096)) "$dll" |
        grep -m1 -E '^ *[0-9a-f]+:.*\sret(\s|$)' | sed 's/^ *\([0-9a-f]*\):.*/\1/')
    hooks=$("$objdump" -d --start-address=$start --stop-address=$((0x$end)) "$dll" |
        sed -n 's/.*movl  *\$0x\([0-9a-f]*\),\(0x[0-9a-f]*\)\?(%e[a-d]x)$/\1 \2/p')
    slots=""
    while read -r address offset; do
        # Only immediates that are addresses inside the image are hooks.
        [ -n "$address" ] && [ $((0x$address)) -ge $((0x$image_base)) ] || continue
        slot=$(( ${offset:-0} / 4 ))
        slots="$slots $slot"
        ret=$(first_ret "0x$address")
        [ "$ret" = "ret" ]; check "plain-ret-hook-slot-$slot" $? "first return instruction is '$ret'"
    done <<<"$hooks"
    [ "$(echo $slots | tr ' ' '\n' | sort -n | tr '\n' ' ')" = "0 4 5 18 24 25 26 " ]
    check hook-slots-found $? "DLLInit stores hooks into slots$slots"
fi

# The version resource: the fixed file version and the strings, as
# "key=value" lines; nothing when the file has none.
version=$(/usr/bin/python3 - "$dll" <<'PY'
import sys
import pefile
pe = pefile.PE(sys.argv[1], fast_load=True)
pe.parse_data_directories([pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
if hasattr(pe, "VS_FIXEDFILEINFO"):
    fixed = pe.VS_FIXEDFILEINFO[0]
    print("fixed=%d.%d.%d.%d" % (fixed.FileVersionMS >> 16, fixed.FileVersionMS & 0xFFFF,
                                 fixed.FileVersionLS >> 16, fixed.FileVersionLS & 0xFFFF))
for info in getattr(pe, "FileInfo", [[]])[0]:
    for table in getattr(info, "StringTable", []):
        for key, value in table.entries.items():
            print("%s=%s" % (key.decode(), value.decode()))
PY
)
[ -n "$version" ]; check version-resource $? "no version resource"
for pair in "fixed=1.0.0.0" "FileVersion=1.00" "FileDescription=Lumvet Camera DLL" \
            "ProductName=Lumvet Camera" "OriginalFilename=Lumvet.dll"; do
    key=${pair%%=*}
    found=$(printf '%s\n' "$version" | grep -m1 "^$key=")
    [ "$found" = "$pair" ]; check "version-$key" $? "'${found#*=}', expected '${pair#*=}'"
done

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
