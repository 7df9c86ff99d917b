#!/usr/bin/env bash
# Runs Tuvo. On an X display (DISPLAY set) it opens there under Wine. Without one it runs in a
# virtual display and takes a short scripted tour through the modes, saving a screenshot of each
# into build/win64/screenshots/. Installs and builds what is missing first. Arguments are passed
# to Tuvo.exe (for instance -D119 for the trace console).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup.sh"
"$root/scripts/build.sh" win64 >/dev/null
source "$root/scripts/wine-session.sh"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    # The user's own display, with its window manager: a prefix of its own, managed windows.
    wine_session_prefix "$root/build/wineprefix-desktop" Y
    exec wine "$root/build/win64/Tuvo.exe" "$@"
fi

echo "run: no X display; touring Tuvo in a virtual one" >&2
trap wine_session_stop EXIT
wine_session_start "$root/build/wineprefix"
shots="$root/build/win64/screenshots"
mkdir -p "$shots"
# A compositing manager blends the translucent overlays as a real desktop would.
xcompmgr >/dev/null 2>&1 &
compositor=$!
trap 'kill $compositor 2>/dev/null; wine_session_stop' EXIT
coproc TOUR { wine "$root/build/win64/tuvo_tour.exe" 2>&1; }
tour_pid=$TOUR_PID
while read -r word name <&"${TOUR[0]}"; do
    name=${name%$'\r'}  # the tour writes text-mode lines
    if [ "$word" = shot ]; then
        import -window root "$shots/$name.png"
        echo "run: saved $shots/$name.png"
        echo next >&"${TOUR[1]}"
    else
        echo "tour: $word $name" >&2
    fi
done
wait "$tour_pid" 2>/dev/null || true
