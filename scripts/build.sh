#!/usr/bin/env bash
# Configures and builds both sides: build/native (portable core, unit tests, benchmarks),
# build/native-asan (the unit tests under AddressSanitizer and UBSan; built when named),
# build/win64 (Tuvo.exe and the Windows test programs) and build/win32 (the 32-bit program,
# compiled to prove it builds; it cannot run on these machines).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

configure_and_build() {
    local dir=$1
    shift
    cmake -S "$root" -B "$root/build/$dir" "$@" >/dev/null
    cmake --build "$root/build/$dir" -j"$jobs"
}

sides=${*:-native win64 win32}
for side in $sides; do
    case $side in
        native) configure_and_build native ;;
        native-asan) configure_and_build native-asan -DTUVO_SANITIZE=ON ;;
        win64) configure_and_build win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" ;;
        win32) configure_and_build win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" ;;
        *) echo "build.sh: unknown side $side" >&2; exit 2 ;;
    esac
done
