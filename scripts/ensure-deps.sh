#!/usr/bin/env bash
# Installs what the builds and tests need on a fresh Debian 12 machine: the
# Windows cross compilers, wine64 and the 32-bit wine32, qemu-user with the
# 32-bit Linux cross compiler, GoogleTest's sources, three.js for the replay
# page, and Chromium to test it. As root it runs
# apt-get itself; otherwise it prints what to run and stops.
#
# 32-bit Wine re-executes itself as 32-bit x86 Linux code. Where the kernel
# cannot run that ("Exec format error"), qemu-i386 is registered with
# binfmt_misc to run it; where it can, nothing is registered. One line says
# which.
set -eu

packages=()
need_command() { command -v "$1" >/dev/null 2>&1 || packages+=("$2"); }
need_file() { [ -e "$1" ] || packages+=("$2"); }

need_command cmake cmake
need_command g++ g++
need_command i686-w64-mingw32-g++-posix g++-mingw-w64-i686
need_command i686-w64-mingw32-objdump binutils-mingw-w64-i686
need_command x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64
need_command x86_64-w64-mingw32-objdump binutils-mingw-w64-x86-64
need_file /usr/lib/wine/wine64 wine64
need_command qemu-i386 qemu-user
need_command i686-linux-gnu-g++ g++-i686-linux-gnu
need_command flock util-linux
need_file /usr/src/googletest/CMakeLists.txt googletest
need_file /usr/include/benchmark/benchmark.h libbenchmark-dev
need_command clang++ clang
need_file /usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a libclang-rt-14-dev
need_file /usr/lib/python3/dist-packages/pefile.py python3-pefile
need_file /usr/share/javascript/three/three.min.js libjs-three
need_command chromium chromium
need_file /usr/lib/python3/dist-packages/PIL/Image.py python3-pil

as_root=$([ "$(id -u)" -eq 0 ] && echo yes || echo no)
# install [--i386] PACKAGE...: as root, or prints the commands and stops.
install() {
    local arch=""
    [ "$1" = --i386 ] && { arch="dpkg --add-architecture i386 && "; shift; }
    if [ "$as_root" = no ]; then
        echo "missing packages; run as root:"
        echo "  ${arch}apt-get update && apt-get install -y --no-install-recommends $*"
        exit 1
    fi
    echo "installing: $*"
    [ -n "$arch" ] && dpkg --add-architecture i386
    apt-get update -q >/dev/null
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@" >/dev/null
}

[ ${#packages[@]} -eq 0 ] || install "${packages[@]}"

# --- 32-bit x86 Linux code: native, or through qemu-i386 -------------------
binfmt=/proc/sys/fs/binfmt_misc
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
printf 'void _start(void) { __asm__ volatile("int $0x80" :: "a"(1), "b"(0)); }\n' > "$probe/exit.c"
i686-linux-gnu-gcc -nostdlib -static -o "$probe/exit32" "$probe/exit.c"
if [ -e "$binfmt/qemu-i386" ]; then
    echo "32-bit x86: runs through qemu-i386, already registered with binfmt_misc"
elif "$probe/exit32" 2>/dev/null; then
    echo "32-bit x86: runs natively, nothing registered"
else
    # The i386 ELF header (executables and shared objects), flag F: the
    # interpreter is opened now, so it works inside other mount namespaces too.
    rule=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:F'
    if [ "$as_root" = no ]; then
        echo "32-bit x86 cannot run here; run as root:"
        echo "  mount -t binfmt_misc binfmt_misc $binfmt; printf '%s' '$rule' > $binfmt/register"
        exit 1
    fi
    [ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
    printf '%s' "$rule" > "$binfmt/register"
    "$probe/exit32" || { echo "32-bit x86: still cannot run after registering qemu-i386" >&2; exit 1; }
    echo "32-bit x86: registered qemu-i386 with binfmt_misc"
fi

# After the binfmt rule, so that 32-bit code can run while it installs.
[ -e /usr/lib/wine/wine ] || install --i386 wine32:i386
