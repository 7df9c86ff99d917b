#!/usr/bin/env bash
# Performance figures of Tuvo, printed as one Markdown table to paste into the README:
# - the per-tick arithmetic of the portable core (Google Benchmark, native);
# - the real Tuvo.exe under Wine in a virtual display of its own: start-up time to a visible
#   panel, CPU time per 50 ms tick in each mode with the pointer moving, peak working set;
# - the in-process tick budget: heap allocations, objects and handles over thousands of ticks.
# Wine reports no CPU times for another process, so this script reads Tuvo's from the Linux side
# (/proc) while the Windows program bench/process_bench_win.cpp drives it.
# Usage: scripts/bench.sh [seconds per mode, default 30] [measured starts, default 7]
# With TUVO_BENCH_STILL=1 the pointer rests during the runs instead of moving: the difference is
# what following a moving pointer costs beyond the ticks themselves.
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

# The Linux process of the Tuvo.exe that runs in this script's Wine prefix.
tuvo_linux_pid() {
    local d
    for d in /proc/[0-9]*; do
        [ "$(cat "$d/comm" 2>/dev/null)" = "Tuvo.exe" ] || continue
        { tr '\0' '\n' <"$d/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
        echo "${d#/proc/}"
        return 0
    done
    return 1
}

# CPU time of every thread of the process, in nanoseconds (the scheduler's own account).
cpu_ns() {
    local total=0 ns rest f
    for f in /proc/"$1"/task/*/schedstat; do
        read -r ns rest <"$f" && total=$((total + ns))
    done
    echo "$total"
}

# The same from the process's user and system time, in clock ticks; it also keeps the time of
# threads that have ended, so it checks the sum above.
cpu_ns_coarse() {
    local fields
    fields=$(sed 's/^.*) //' /proc/"$1"/stat)
    awk -v hz="$(getconf CLK_TCK)" '{ printf "%.0f", ($12 + $13) * 1e9 / hz }' <<<"$fields"
}

declare -a modes=() startups=()
declare -A pid=() cpu0=() cpu1=() coarse0=() coarse1=() t0=() t1=() hwm=() peak=() overlay=()

echo "bench: Tuvo.exe, $starts starts and $seconds s per mode" >&2
coproc BENCH { wine "$root/build/win64/tuvo_process_bench.exe" "$seconds" "$starts" 2>&1; }
bench_pid=$BENCH_PID
# Own copies of the pipes: bash closes the coprocess's own as soon as it has ended.
exec {from_bench}<&"${BENCH[0]}" {to_bench}>&"${BENCH[1]}"
while read -r kind a b c <&"$from_bench"; do
    a=${a%$'\r'} b=${b%$'\r'} c=${c%$'\r'}
    case $kind in
        startup) startups+=("$a") ;;
        overlay) overlay[$a]=$b ;;
        peak) peak[$a]=$b ;;
        sample)
            mode=$b
            if [ "$a" = begin ]; then
                modes+=("$mode")
                pid[$mode]=$(tuvo_linux_pid) ||
                    { echo "bench: no Linux process for Tuvo.exe" >&2; exit 1; }
                cpu0[$mode]=$(cpu_ns "${pid[$mode]}")
                coarse0[$mode]=$(cpu_ns_coarse "${pid[$mode]}")
                t0[$mode]=$(date +%s%N)
            else
                t1[$mode]=$(date +%s%N)
                cpu1[$mode]=$(cpu_ns "${pid[$mode]}")
                coarse1[$mode]=$(cpu_ns_coarse "${pid[$mode]}")
                hwm[$mode]=$(awk '/^VmHWM:/ { print $2 }' /proc/"${pid[$mode]}"/status)
            fi
            echo ok >&"$to_bench"
            ;;
        *) echo "bench: $kind $a $b $c" >&2 ;;
    esac
done
wait "$bench_pid" || { echo "bench: the Windows program failed" >&2; exit 1; }

# Per-tick CPU in microseconds: CPU time over the run divided by elapsed / 50 ms.
per_tick_us() {
    awk -v cpu=$(($2 - $1)) -v elapsed=$(($4 - $3)) \
        'BEGIN { printf "%.1f", cpu / 1000 / (elapsed / 50e6) }'
}

machine_cpu=$(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)
echo
echo "Measured $(date -u +%Y-%m-%d) on ${machine_cpu:-an unknown CPU}, nproc $(nproc), \
$(uname -sr), $(wine --version 2>/dev/null), virtual display 1920 × 1080."
echo
echo "| Figure | Value | How |"
echo "|---|---|---|"

median=$(printf '%s\n' "${startups[@]}" | sort -n | awk '{ v[NR] = $1 } END {
    m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%.0f ms (median of %d; %.0f to %.0f)", m, NR, v[1], v[NR] }')
echo "| Start-up to a visible panel | $median | CreateProcess until the main window and its panel \
are visible, polled every 1 ms; after one unmeasured start |"

off_us=""
pointer=$([ -n "${TUVO_BENCH_STILL:-}" ] && echo "at rest" || echo moving)
how="Tuvo's CPU time, all threads, read from /proc over ${seconds} s with the pointer $pointer, \
divided by the ticks: elapsed ÷ 50 ms. OFF is the baseline: the panel's and the lens's timers run \
in every mode"
for mode in "${modes[@]}"; do
    us=$(per_tick_us "${cpu0[$mode]}" "${cpu1[$mode]}" "${t0[$mode]}" "${t1[$mode]}")
    coarse=$(per_tick_us "${coarse0[$mode]}" "${coarse1[$mode]}" "${t0[$mode]}" "${t1[$mode]}")
    ticks=$(( (${t1[$mode]} - ${t0[$mode]}) / 50000000 ))
    share=$(awk -v cpu=$((${cpu1[$mode]} - ${cpu0[$mode]})) -v e=$((${t1[$mode]} - ${t0[$mode]})) \
        'BEGIN { printf "%.2f", 100 * cpu / e }')
    value="$us µs ($ticks ticks, $share % of one core"
    if [ "$mode" = OFF ]; then
        off_us=$us
    elif [ -n "$off_us" ]; then
        value+="; $(awk -v a="$us" -v b="$off_us" 'BEGIN { printf "%+.1f", a - b }') µs over OFF"
    fi
    value+=")"
    # The mode's overlay must have been showing, and none in OFF.
    [ "${overlay[$mode]:-}" = "$([ "$mode" = OFF ] && echo 0 || echo 1)" ] ||
        value+=" **overlay not as expected**"
    echo "| CPU per tick, $mode | $value | $how |"
    how=""
    # The clock-tick account checks the scheduler's sum, which loses threads that ended.
    awk -v a="$us" -v b="$coarse" 'BEGIN { exit !(a - b > 0.2 * b + 20 || b - a > 0.2 * b + 20) }' \
        && echo "bench: $mode: thread sum $us µs, process account $coarse µs per tick" >&2
done

how="GetProcessMemoryInfo at the end of the mode's run (in brackets: VmHWM from /proc)"
for mode in "${modes[@]}"; do
    value=$(awk -v p="${peak[$mode]:-0}" -v h="${hwm[$mode]:-0}" \
        'BEGIN { printf "%.1f MiB (%.1f MiB)", p / 1048576, h / 1024 }')
    echo "| Peak working set, $mode | $value | $how |"
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
