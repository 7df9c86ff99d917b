#!/usr/bin/env bash
# Performance figures of Tuvo, printed as Markdown tables to paste into the README:
# - the per-tick arithmetic of the portable core (Google Benchmark, native);
# - the real Tuvo.exe under Wine in a virtual display of its own: start-up time to a visible
#   panel, peak working set, and the CPU time per 50 ms tick in each mode of the three processes
#   a tick keeps busy: Tuvo, the Wine server of this script's prefix and this script's X server.
#   The same pointer driver also runs with no Tuvo at all: every mode is shown above that
#   baseline too, since the driver's own pointer moves load both servers. Then the platform
#   floors run in Tuvo's place (bench/floor_scenarios.h): bare window programs that make only
#   the platform calls of one part of a tick, so each mode's cost reads against what the window
#   system alone asks for those calls;
# - the in-process tick budget: heap allocations, objects and handles over thousands of ticks.
# Wine reports no CPU times for another process, so this script reads them from the Linux side
# (/proc) while the Windows program bench/process_bench_win.cpp drives Tuvo.
# Usage: scripts/bench.sh [seconds per run, default 30] [measured starts, default 7]
# TUVO_BENCH_PROGRAM=/path/to/Tuvo.exe measures another build of the program (before and after).
# TUVO_BENCH_FLOORS chooses the floors: unset, all but the variants (alternative forms of the same
# calls); "all"; "none"; or names from the table, e.g. "move-small move-small-nosendchanging".
# TUVO_BENCH_MODES=none leaves out Tuvo's own runs: the floors alone, against the driver alone.
# The figures are only worth reading on a quiet machine: the load average is printed beside them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
starts=${2:-7}

"$root/scripts/setup.sh"
"$root/scripts/build.sh" native win64 >/dev/null

echo "bench: core arithmetic" >&2
core_csv=$("$root/build/native/bench/tuvo_core_bench" --benchmark_format=csv \
    --benchmark_min_time=0.5 2>/dev/null)

source "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$root/build/wineprefix"

echo "bench: tick budget (in-process)" >&2
budget=$(wine "$root/build/win64/tuvo_inprocess.exe" --gtest_filter='EveryMode/TickBudget.*' \
    2>&1 | tr -d '\r' | grep '^tick-budget ' || true)

# The Linux process of the Windows program of this image name (Tuvo.exe, tuvo_floor.exe) that
# runs in this script's Wine prefix; Linux keeps the first 15 characters of the name.
program_linux_pid() {
    local d
    for d in /proc/[0-9]*; do
        [ "$(cat "$d/comm" 2>/dev/null)" = "${1:0:15}" ] || continue
        { tr '\0' '\n' <"$d/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
        echo "${d#/proc/}"
        return 0
    done
    return 1
}

# The Wine server of this script's prefix: other prefixes on the machine have servers of their
# own, told apart by the WINEPREFIX in their environment.
wineserver_pid() {
    local d
    for d in /proc/[0-9]*; do
        case $(cat "$d/comm" 2>/dev/null) in wineserver*) ;; *) continue ;; esac
        { tr '\0' '\n' <"$d/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
        echo "${d#/proc/}"
        return 0
    done
    return 1
}

# CPU time of every thread of the process, in nanoseconds (the scheduler's own account); 0 for
# no process.
cpu_ns() {
    local total=0 ns rest f
    [ "$1" != 0 ] || { echo 0; return; }
    for f in /proc/"$1"/task/*/schedstat; do
        read -r ns rest <"$f" && total=$((total + ns))
    done
    echo "$total"
}

# The same from the process's user and system time, in clock ticks; it also keeps the time of
# threads that have ended, so it checks the sum above.
cpu_ns_coarse() {
    local fields
    [ "$1" != 0 ] || { echo 0; return; }
    fields=$(sed 's/^.*) //' /proc/"$1"/stat)
    awk -v hz="$(getconf CLK_TCK)" '{ printf "%.0f", ($12 + $13) * 1e9 / hz }' <<<"$fields"
}

# The CPU time of the prefix's other Wine processes (the desktop's explorer.exe and the
# services), the measured program (pid $1) and the driver left out: a check that nothing else
# picks up a share of the tick.
others_ns() {
    local d total=0 c
    for d in /proc/[0-9]*; do
        [ "${d#/proc/}" != "$1" ] || continue
        c=$(cat "$d/comm" 2>/dev/null) || continue
        case $c in wineserver* | tuvo_process_be*) continue ;; esac
        { tr '\0' '\n' <"$d/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
        total=$((total + $(cpu_ns "${d#/proc/}" 2>/dev/null || echo 0)))
    done
    echo "$total"
}

if [ -n "${TUVO_BENCH_PROGRAM:-}" ]; then
    TUVO_BENCH_PROGRAM=$(winepath -w "$TUVO_BENCH_PROGRAM")
    export TUVO_BENCH_PROGRAM
fi
server_pid=$(wineserver_pid) || { echo "bench: no Wine server for $WINEPREFIX" >&2; exit 1; }
xvfb_pid=$WINE_SESSION_XVFB_PID

# A run is a mode or a floor and a pointer state ("OFF moving"); each has a begin and an end
# sample of every process, and of the clock.
declare -a runs=() startups=()
declare -A tuvo=() server=() xserver=() others=() coarse=() clock=() hwm=() peak=() overlay=()
declare -A floor_label=()

sample() {  # sample KEY SUFFIX TUVO_PID
    local key=$1 at=$2 tpid=$3
    clock[$key $at]=$(date +%s%N)
    tuvo[$key $at]=$(cpu_ns "$tpid")
    coarse[$key $at]=$(cpu_ns_coarse "$tpid")
    server[$key $at]=$(cpu_ns "$server_pid")
    xserver[$key $at]=$(cpu_ns "$xvfb_pid")
    others[$key $at]=$(others_ns "$tpid")
}

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
echo "bench: Tuvo.exe, $starts starts and $seconds s per run" >&2
coproc BENCH { wine "$root/build/win64/tuvo_process_bench.exe" "$seconds" "$starts" 2>&1; }
bench_pid=$BENCH_PID
# Own copies of the pipes: bash closes the coprocess's own as soon as it has ended.
exec {from_bench}<&"${BENCH[0]}" {to_bench}>&"${BENCH[1]}"
declare -A tpid=()
while read -r kind line <&"$from_bench"; do
    line=${line%$'\r'}
    read -r a b c d e <<<"$line"
    case $kind in
        startup) startups+=("$a") ;;
        label) floor_label[$a]=${line#* } ;;
        overlay) [ "$c" = 1 ] || overlay["$a $b"]=" **overlay not as expected**" ;;
        peak) peak["$a $b"]=$c ;;
        sample)
            key="$b $c"
            if [ "$a" = begin ]; then
                runs+=("$key")
                tpid[$key]=0
                if [ "$e" != - ]; then
                    tpid[$key]=$(program_linux_pid "$e") ||
                        { echo "bench: no Linux process for $e" >&2; exit 1; }
                fi
                sample "$key" 0 "${tpid[$key]}"
            else
                sample "$key" 1 "${tpid[$key]}"
                [ "${tpid[$key]}" = 0 ] ||
                    hwm[$key]=$(awk '/^VmHWM:/ { print $2 }' /proc/"${tpid[$key]}"/status)
            fi
            echo ok >&"$to_bench"
            ;;
        *) echo "bench: $kind $a $b $c $d" >&2 ;;
    esac
done
wait "$bench_pid" || { echo "bench: the Windows program failed" >&2; exit 1; }
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

# Per-tick CPU of one process in a run, in microseconds: CPU time over the run divided by the
# ticks, elapsed / 50 ms.
per_tick() {  # per_tick ARRAY KEY
    local -n account=$1
    awk -v cpu=$((${account[$2 1]} - ${account[$2 0]})) \
        -v elapsed=$((${clock[$2 1]} - ${clock[$2 0]})) \
        'BEGIN { printf "%.0f", cpu / 1000 / (elapsed / 50e6) }'
}

machine_cpu=$(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)
echo
echo "Measured $(date -u +%Y-%m-%d) on ${machine_cpu:-an unknown CPU}, nproc $(nproc), \
$(uname -sr), $(wine --version 2>/dev/null), virtual display 1920 × 1080; load average \
$load_before before, $load_after after."
echo
echo "CPU time per 50 ms tick in µs, over $seconds s per run; in brackets, above the run of the \
same pointer driver with no Tuvo running (the pointer moving, or at rest). In the rows \
\"Platform alone\" and \"Variant\" a bare window program makes only the platform calls named, in \
Tuvo's place: its column \"Tuvo\" is that program's own CPU."
echo
echo "| Mode | Tuvo | Wine server | X server | Total |"
echo "|---|---|---|---|---|"
for key in "${runs[@]}"; do
    mode=${key% *} pointer=${key#* }
    base="none $pointer"
    t=$(per_tick tuvo "$key") w=$(per_tick server "$key") x=$(per_tick xserver "$key")
    o=$(per_tick others "$key")
    total=$((t + w + x))
    if [ "$mode" = none ]; then
        row="No Tuvo (the driver alone)"
        cells="| – | $w | $x | $total |"
        eval "base_w_$pointer=$w base_x_$pointer=$x"
    else
        row=${floor_label[$mode]:-$mode}
        bw=base_w_$pointer bx=base_x_$pointer
        dw=$((w - ${!bw:-0})) dx=$((x - ${!bx:-0}))
        cells=$(printf '| %d | %d (%+d) | %d (%+d) | %d (**%+d**) |' \
            "$t" "$w" "$dw" "$x" "$dx" "$total" $((t + dw + dx)))
        # The mode's overlay must have shown where and as it should, and none in OFF.
        cells+=${overlay[$key]:-}
        # The clock-tick account checks the scheduler's sum, which loses threads that ended.
        c=$(per_tick coarse "$key")
        awk -v a="$t" -v b="$c" 'BEGIN { exit !(a - b > 0.2 * b + 20 || b - a > 0.2 * b + 20) }' \
            && echo "bench: $key: thread sum $t µs, process account $c µs per tick" >&2
    fi
    [ "$pointer" = moving ] || row+=", pointer at rest"
    echo "| $row $cells"
    # The prefix's other processes are not in the total: say so when they would count.
    [ "$o" -le 20 ] || echo "bench: $key: other Wine processes of the prefix $o µs per tick" >&2
done
echo
echo "| Figure | Value | How |"
echo "|---|---|---|"

if [ "${#startups[@]}" -gt 0 ]; then
    median=$(printf '%s\n' "${startups[@]}" | sort -n | awk '{ v[NR] = $1 } END {
        m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "%.0f ms (median of %d; %.0f to %.0f)", m, NR, v[1], v[NR] }')
    echo "| Start-up to a visible panel | $median | CreateProcess until the main window and its \
panel are visible, polled every 1 ms; after one unmeasured start |"
fi

how="GetProcessMemoryInfo at the end of the mode's run (in brackets: VmHWM from /proc)"
for key in "${runs[@]}"; do
    [ -n "${peak[$key]:-}" ] && [ "${key#* }" = moving ] || continue
    value=$(awk -v p="${peak[$key]:-0}" -v h="${hwm[$key]:-0}" \
        'BEGIN { printf "%.1f MiB (%.1f MiB)", p / 1048576, h / 1024 }')
    echo "| Peak working set, ${key% *} | $value | $how |"
    how=""
done

how="tuvo_inprocess: WM_TIMER 101 to every window whose timer runs in the mode, and the repaint \
it causes, counted through the program's import table: C runtime allocations, GDI and GDI+ \
objects and device contexts; kernel handles from the system's handle list"
while read -r _ mode fields; do
    [ -n "${mode:-}" ] || continue
    declare -A f=()
    for kv in $fields; do f[${kv%%=*}]=${kv#*=}; done
    echo "| Tick budget, $mode | ${f[allocations]} heap allocations, ${f[objects-made]} objects \
made, ${f[rounds-leaving-objects]} ticks leaving one, kernel handles ${f[kernel-handles]}, windows \
${f[windows]}, over ${f[rounds]} ticks | $how |"
    how=""
    unset f
done <<<"$budget"

how="Google Benchmark, native build, per call; inputs from a moving pointer"
while IFS=, read -r name _ _ cpu unit _; do
    name=${name//\"/}
    case $name in
        BM_FollowSmootherUpdate) label="Follow smoother, one update" ;;
        BM_PlacementDecision) label="Placement decision and centred origin" ;;
        BM_TrailFrame/dots:0) label="Trail frame (push, fit, widths, head, origin), line only" ;;
        BM_TrailFrame/dots:1) label="Trail frame, line and dots" ;;
        BM_MapTrailToSurface) label="Trail mapped to the surface, 15 points" ;;
        BM_LensRectangles/zoom:2) label="Lens window and source rectangles, zoom 2" ;;
        BM_LensRectangles/zoom:3) label="Lens window and source rectangles, zoom 3" ;;
        BM_*) label=$name ;;
        *) continue ;;
    esac
    echo "| $label | $(awk -v v="$cpu" 'BEGIN { printf "%.1f", v }') $unit | $how |"
    how=""
done <<<"$core_csv"
