#!/usr/bin/env bash
# What one 50 ms tick of each mode asks of the Wine server: the requests of Tuvo's window thread,
# by name, per tick, read from the server's own trace (WINEDEBUG=+server) while the bench's
# pointer driver (bench/process_bench_win.cpp) runs every mode. Each request is a round trip to
# the server, so the table shows where the server's share of a tick comes from and which of
# Tuvo's calls cause it. The trace slows everything down: read counts here, never times.
# Usage: scripts/tick_requests.sh [seconds per mode, default 3]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-3}

"$root/scripts/setup.sh"
"$root/scripts/build.sh" win64 >/dev/null

work=$(mktemp -d)
source "$root/scripts/wine-session.sh"
trap 'wine_session_stop; [ -n "${TICK_REQUESTS_KEEP:-}" ] || rm -rf "$work"' EXIT
# The session's Wine server writes its trace to standard error.
wine_session_start "$root/build/wineprefix" 2>"$work/server.trace"

echo "tick-requests: every mode for $seconds s, the server tracing" >&2
# The driver's standard error goes to a file: with it on /dev/null no request was traced.
yes ok | WINEDEBUG=+server wine "$root/build/win64/tuvo_process_bench.exe" "$seconds" 0 \
    2>"$work/driver.err" | tr -d '\r' >"$work/driver.out" || true

# Tuvo's Windows process of each run ("OFF moving 276"), by its hexadecimal id as the trace
# writes it; its first thread is the window thread.
awk '$1 == "sample" && $2 == "begin" && $3 != "none" {
    printf "%04x %s%s\n", $5, $3, ($4 == "still" ? ", at rest" : "") }' \
    "$work/driver.out" >"$work/runs"
[ -s "$work/runs" ] || { echo "tick-requests: the driver ran no mode" >&2; exit 1; }

awk -v runs="$work/runs" '
BEGIN {
    while ((getline line < runs) > 0) {
        split(line, f, " ")
        pid = f[1]; sub(/^[^ ]+ /, "", line)
        mode_of_pid[pid] = line; order[++modes] = line
    }
}
# "0118: init_first_thread() = 0 { pid=0114, tid=0118, ..." names the first thread of a process.
/init_first_thread\(\) = 0/ {
    if (match($0, /pid=[0-9a-f]+/)) {
        pid = substr($0, RSTART + 4, RLENGTH - 4)
        if (pid in mode_of_pid) { tid = substr($1, 1, length($1) - 1); mode_of_tid[tid] = mode_of_pid[pid] }
    }
    next
}
{
    tid = substr($1, 1, length($1) - 1)
    if (!(tid in mode_of_tid)) next
    m = mode_of_tid[tid]
    # A WM_TIMER handed to the thread ends a stretch of requests: from the 25th on (the mode
    # chosen and settled) to the last, they are counted, and the ticks by the windows of the timers.
    if ($2 ~ /^get_message\(\)/ && $0 ~ /msg=00000113/) {
        match($0, /win=[0-9a-f]+/); w = substr($0, RSTART + 4, RLENGTH - 4)
        if (measuring[m]) {
            if (!((m, w) in seen)) { seen[m, w] = 1; windows[m]++ }
            counted[m]++
            for (r in pending) { requests[m, r] += pending[r]; names[r] = 1 }
        }
        delete pending
        if (++timers[m] == 25) measuring[m] = 1
        next
    }
    # A request is "name( ...": its reply ("name() = ...") and trace notes ("*wakeup*") are not.
    if (measuring[m] && $2 ~ /^[a-z_]+\($/) { r = $2; sub(/\(.*/, "", r); pending[r]++ }
}
END {
    header = "| Request |"; rule = "|---|"
    for (i = 1; i <= modes; i++) {
        m = order[i]
        ticks[m] = windows[m] ? counted[m] / windows[m] : 0
        header = header " " m " |"; rule = rule "---|"
    }
    print header; print rule
    for (r in names) {
        keep = 0
        for (i = 1; i <= modes; i++) { m = order[i]; if (ticks[m] && requests[m, r] / ticks[m] >= 0.5) keep = 1 }
        if (!keep) continue
        row = "| " r " |"
        for (i = 1; i <= modes; i++) {
            m = order[i]; v = ticks[m] ? requests[m, r] / ticks[m] : 0
            row = row sprintf(" %.1f |", v)
        }
        print row | "sort -t\"|\" -k4,4nr"
    }
    close("sort -t\"|\" -k4,4nr")
    row = "| **all requests** |"; tickrow = "| ticks counted |"
    for (i = 1; i <= modes; i++) {
        m = order[i]; total = 0
        for (r in names) total += requests[m, r]
        row = row sprintf(" **%.1f** |", ticks[m] ? total / ticks[m] : 0)
        tickrow = tickrow sprintf(" %.0f |", ticks[m])
    }
    print row; print tickrow
}' "$work/server.trace"
