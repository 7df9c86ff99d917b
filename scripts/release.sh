#!/usr/bin/env bash
# Builds the release: Tuvo-<version>-win64.zip and Tuvo-<version>-win32.zip, each with a stripped
# Tuvo.exe and the readme for Windows users, the debug information of each program beside them
# (Tuvo-<version>-<arch>.debug), SHA256SUMS and BUILDINFO.txt (commit and toolchain), all in
# build/release/. The programs are built afresh in build/release-win64 and build/release-win32,
# apart from the test builds. Two runs on the same commit give the same bytes, wherever the tree
# is (tests/package/check_reproducible.sh shows it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/release

"$root/scripts/setup.sh"

# The only time written into the packages is the commit's: CPack stamps the zip entries with
# SOURCE_DATE_EPOCH, in DOS times that are local time, hence UTC.
if commit=$(git -C "$root" rev-parse HEAD 2>/dev/null); then
    export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}
    if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
        echo "release: uncommitted changes: these packages are not those of $commit" >&2
        commit="$commit (with uncommitted changes)"
    fi
elif [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    echo "release: not a git checkout: set SOURCE_DATE_EPOCH to the source's time" >&2
    exit 2
else
    commit="unknown (not a git checkout)"
fi
export TZ=UTC LC_ALL=C

rm -rf "$out"
mkdir -p "$out"
for arch in win64 win32; do
    case $arch in
        win64) toolchain=mingw-x86_64 ;;
        win32) toolchain=mingw-i686 ;;
    esac
    dir=$root/build/release-$arch
    rm -rf "$dir"  # nothing left over from an earlier build
    cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain.cmake" \
        -DTUVO_RELEASE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$dir" -j2 >/dev/null
    (cd "$dir" && cpack -B "$dir/cpack" >/dev/null)
    zip=$(echo "$dir"/cpack/Tuvo-*-"$arch".zip)
    # The entries carry the owner's user and group ids: the same zip whoever builds it.
    strip-nondeterminism --type zip --timestamp "$SOURCE_DATE_EPOCH" "$zip" >/dev/null
    cp "$zip" "$dir/$(basename "$zip" .zip).debug" "$out/"
done

{
    echo "commit: $commit"
    echo "SOURCE_DATE_EPOCH: $SOURCE_DATE_EPOCH"
    echo "toolchain (Debian packages):"
    dpkg-query -W -f '  ${Package} ${Version}\n' \
        g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev \
        g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev \
        cmake libarchive13 zlib1g strip-nondeterminism
} >"$out/BUILDINFO.txt"
(cd "$out" && sha256sum Tuvo-* >SHA256SUMS)

echo "release: $out"
for arch in win64 win32; do
    echo "  Tuvo.exe of $arch: $(stat -c %s "$root/build/release-$arch/Tuvo.exe") bytes"
done
(cd "$out" && stat -c '  %n: %s bytes' Tuvo-*)
sed 's/^/  /' "$out/SHA256SUMS"
