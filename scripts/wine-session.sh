#!/usr/bin/env bash
# Sourced by the test and run commands: a virtual display (Xvfb, 1920 x 1080) and a Wine prefix
# inside the build folder, with a persistent Wine server so each program starts in a fraction of
# a second. wine_session_start exports DISPLAY and WINEPREFIX; wine_session_stop ends both.

# wine_session_prefix PREFIX MANAGED: create the prefix once. MANAGED=N lets Wine place windows
# itself (no window manager on a virtual display; showing a hidden window again is then
# immediate instead of taking about a second).
wine_session_prefix() {
    local prefix=$1 managed=$2
    # winebus.sys stays unloaded: Wine's game-controller bus polls in a background service of
    # the prefix (a winedevice.exe) for about 1.2 ms of CPU every 50 ms, which nothing here uses
    # and which would swamp the bench's reading of the Wine server.
    export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=;winebus.sys=d"
    if [ ! -f "$prefix/.tuvo-ready" ]; then
        mkdir -p "$prefix"
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$managed" /f >/dev/null 2>&1
        # A crashing program ends at once instead of waiting in the debugger.
        wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
            /v Debugger /f >/dev/null 2>&1
        wineserver -w
        # Wine draws the caption buttons with its Marlett font, which fontconfig does not offer.
        cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
        touch "$prefix/.tuvo-ready"
    fi
}

# wine_session_start PREFIX [WIDTHxHEIGHT]
wine_session_start() {
    local prefix=$1 size=${2:-1920x1080}
    # Xvfb picks a free display number itself and writes it to the given descriptor.
    local numberfile
    numberfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$numberfile" >/dev/null 2>&1 &
    WINE_SESSION_XVFB_PID=$!
    local i
    for i in $(seq 1 200); do
        [ -s "$numberfile" ] && break
        sleep 0.05
    done
    local n
    n=$(tr -dc '0-9' <"$numberfile")
    rm -f "$numberfile"
    if [ -z "$n" ]; then
        echo "wine-session: the virtual display did not start" >&2
        return 1
    fi
    export DISPLAY=":$n"
    wine_session_prefix "$prefix" N
    wineserver -p
    # Start Wine's own background services now, away from any test's output pipes: a program
    # that started them would hand them its output, and whoever reads that would wait forever.
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

wine_session_stop() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "${WINE_SESSION_XVFB_PID:-}" ]; then
        kill "$WINE_SESSION_XVFB_PID" >/dev/null 2>&1 || true
        wait "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
        unset WINE_SESSION_XVFB_PID
    fi
}
