#!/usr/bin/env bash
# Installs what the builds and tests need on a fresh Debian 12 machine: the
# Windows cross compilers, wine64, qemu-user with the 32-bit Linux cross
# compiler, and GoogleTest's sources. As root it runs apt-get itself;
# otherwise it prints the one line to run and stops.
set -eu

packages=()
need_command() { command -v "$1" >/dev/null 2>&1 || packages+=("$2"); }
need_file() { [ -e "$1" ] || packages+=("$2"); }

need_command cmake cmake
need_command g++ g++
need_command i686-w64-mingw32-g++ g++-mingw-w64-i686
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

[ ${#packages[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    echo "installing: ${packages[*]}"
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${packages[@]}"
else
    echo "missing packages; run as root:"
    echo "  apt-get update && apt-get install -y ${packages[*]}"
    exit 1
fi
