#!/usr/bin/env bash
# Checks the release in build/release (scripts/release.sh makes it): SHA256SUMS holds; each zip
# opens and holds exactly Tuvo.exe and README.txt; each program is stripped, of its machine type,
# carries no time stamp and no build path, and links the debug file kept beside the zips; the
# readme has CRLF line ends and names the version. Then, under Wine, the 64-bit program starts,
# shows the panel, switches a mode and shows its version, and both programs' version blocks
# carry the version the zips are named with (the 32-bit program cannot run on these machines).
# Uses the Wine session of the test command when there is one, else starts its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
release=$root/build/release
work=$root/build/package-check

fail() {
    echo "check_packages: $*" >&2
    exit 1
}

# u32 FILE OFFSET: the little-endian 32-bit number at OFFSET.
u32() { od -An -tu4 -j"$2" -N4 "$1" | tr -d ' '; }

check_program() {
    local arch=$1 exe=$2 debug=$3 tools format
    case $arch in
        win64) tools=x86_64-w64-mingw32 format=pei-x86-64 ;;
        win32) tools=i686-w64-mingw32 format=pei-i386 ;;
    esac
    "$tools-objdump" -f "$exe" | grep -q "file format $format" ||
        fail "$arch: Tuvo.exe is not $format"
    ! "$tools-objdump" -h "$exe" | grep -q '\.debug_' ||
        fail "$arch: Tuvo.exe carries debug information"
    "$tools-objdump" -h "$debug" | grep -q '\.debug_info' ||
        fail "$arch: $(basename "$debug") has no debug information"
    local header
    header=$(u32 "$exe" 60)
    [ "$(u32 "$exe" $((header + 8)))" = 0 ] || fail "$arch: Tuvo.exe carries a link time"
    for file in "$exe" "$debug"; do
        ! grep -q -a -F "$root" "$file" || fail "$arch: $(basename "$file") names $root"
    done

    # The debug link: the debug file's name, then its CRC-32 in the last four bytes.
    local link=$work/$arch.debuglink
    "$tools-objcopy" --dump-section .gnu_debuglink="$link" "$exe" "$link.exe"
    [ "$(tr '\0' '\n' <"$link" | head -n 1)" = "$(basename "$debug")" ] ||
        fail "$arch: Tuvo.exe does not link $(basename "$debug")"
    [ "$(printf '%08x' "$(u32 "$link" $(($(stat -c %s "$link") - 4)))")" = "$(crc32 "$debug")" ] ||
        fail "$arch: the debug link's checksum is not that of $(basename "$debug")"
}

check_readme() {
    local arch=$1 readme=$2 version=$3
    [ "$(grep -c $'\r$' "$readme")" = "$(wc -l <"$readme")" ] ||
        fail "$arch: README.txt has lines without CRLF"
    grep -q -F "Tuvo $version" "$readme" || fail "$arch: README.txt does not name $version"
}

[ -f "$release/SHA256SUMS" ] || fail "no release in $release: run scripts/release.sh first"
(cd "$release" && sha256sum --check --quiet SHA256SUMS) || fail "SHA256SUMS does not hold"

version=
for arch in win64 win32; do
    zips=("$release"/Tuvo-*-"$arch".zip)
    [ ${#zips[@]} = 1 ] && [ -f "${zips[0]}" ] || fail "not one $arch zip in $release"
    name=$(basename "${zips[0]}" .zip)
    this=${name#Tuvo-}
    this=${this%-"$arch"}
    version=${version:-$this}
    [ "$this" = "$version" ] || fail "the zips name two versions: $version and $this"

    unzip -tq "${zips[0]}" >/dev/null || fail "$name.zip does not open"
    contents=$(zipinfo -1 "${zips[0]}" | sort | tr '\n' ' ')
    [ "$contents" = "README.txt Tuvo.exe " ] || fail "$name.zip holds: $contents"
    rm -rf "${work:?}/$arch"
    mkdir -p "$work"
    unzip -q "${zips[0]}" -d "$work/$arch"

    check_program "$arch" "$work/$arch/Tuvo.exe" "$release/$name.debug"
    check_readme "$arch" "$work/$arch/README.txt" "$version"
    echo "check_packages: $name.zip: $(stat -c %s "${zips[0]}") bytes, Tuvo.exe" \
        "$(stat -c %s "$work/$arch/Tuvo.exe") bytes"
done

"$root/scripts/build.sh" win64 >/dev/null  # the test program
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    source "$root/scripts/wine-session.sh"
    trap wine_session_stop EXIT
    wine_session_start "$root/build/wineprefix"
fi
TUVO_PACKAGE_VERSION=$version \
    TUVO_PACKAGE_WIN64=$(winepath -w "$work/win64/Tuvo.exe") \
    TUVO_PACKAGE_WIN32=$(winepath -w "$work/win32/Tuvo.exe") \
    wine "$root/build/win64/tuvo_package_test.exe"
