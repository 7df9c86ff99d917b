#!/usr/bin/env bash
# Shows whether two builds of Tuvo draw the same: runs one scripted pointer path through every
# mode with each Tuvo.exe (tests/e2e/screens_main.cpp says what the pictures show), one after the
# other in one Wine session, and compares the screenshots of each step pixel by pixel.
#
#     scripts/compare_screens.sh BEFORE_EXE [AFTER_EXE]
#
# AFTER_EXE defaults to this tree's build/win64/Tuvo.exe (scripts/build.sh win64 makes it and the
# screenshot program). Prints per mode the pictures, the pictures that differ and the pixels
# that differ, and exits 0 only when every picture is the same. The pictures stay in
# build/screens/before and build/screens/after; for each pair that differs, a picture of the
# difference (differing pixels red) in build/screens/differences.
#
# A compositing manager runs beside the virtual display, so the pictures show the translucent
# overlays blended over what lies beneath, as a user sees them: without one the X server shows
# them opaque, and so does the screen as Wine reads it, from which the screenshots are taken.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: scripts/compare_screens.sh BEFORE_EXE [AFTER_EXE]" >&2
    exit 2
fi
before_exe=$(realpath "$1")
after_exe=$(realpath "${2:-$root/build/win64/Tuvo.exe}")
tool=$root/build/win64/tuvo_screens.exe
for file in "$before_exe" "$after_exe" "$tool"; do
    if [ ! -f "$file" ]; then
        echo "compare_screens: $file is missing (scripts/build.sh win64 builds this tree)" >&2
        exit 2
    fi
done

out=$root/build/screens
rm -rf "$out"
mkdir -p "$out/before" "$out/after" "$out/differences"

source "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$root/build/wineprefix"
xcompmgr >/dev/null 2>&1 &
compositor=$!
trap 'kill $compositor 2>/dev/null; wine_session_stop' EXIT
sleep 1  # the compositor takes over the windows before the first picture

for side in before after; do
    exe=${side}_exe
    echo "compare_screens: $side: ${!exe}" >&2
    if ! wine "$tool" "$(winepath -w "${!exe}")" "$(winepath -w "$out/$side")" </dev/null; then
        echo "compare_screens: the path did not run to its end with the $side program" >&2
        exit 2
    fi
done

# The same pixels make the same file: only pairs that differ are looked at pixel by pixel.
all_same=1
echo "| Mode | Pictures | Pictures differing | Pixels differing |"
echo "|---|---|---|---|"
for mode in OFF Pemo Deka Ribbon; do
    pictures=0 differing=0 pixels=0
    for picture in "$out/before/$mode"-*.bmp; do
        [ -f "$picture" ] || continue
        name=$(basename "$picture" .bmp)
        pictures=$((pictures + 1))
        if cmp -s "$picture" "$out/after/$name.bmp"; then
            continue
        fi
        differing=$((differing + 1))
        if [ -f "$out/after/$name.bmp" ]; then
            # compare prints the count on standard error and exits 1 when the pictures differ.
            count=$(compare -metric AE "$picture" "$out/after/$name.bmp" \
                "$out/differences/$name.png" 2>&1 || true)
            pixels=$(awk -v sum="$pixels" -v count="${count%% *}" 'BEGIN { printf "%d", sum + count }')
        fi
    done
    echo "| $mode | $pictures | $differing | $pixels |"
    if [ "$pictures" -eq 0 ] || [ "$differing" -ne 0 ]; then
        all_same=0
    fi
done
# A picture of the after program that the before program did not take is a difference too.
if ! diff -q <(cd "$out/before" && ls) <(cd "$out/after" && ls) >/dev/null; then
    echo "compare_screens: the two runs took different pictures" >&2
    all_same=0
fi

echo "Pictures in $out" >&2
if [ "$all_same" -eq 1 ]; then
    echo "compare_screens: every picture is the same" >&2
    exit 0
fi
echo "compare_screens: pictures differ; see $out/differences" >&2
exit 1
