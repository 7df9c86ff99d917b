#!/usr/bin/env bash
# Runs the full soak: every mode held for 10,000 ticks, 1,000 random mode switches with the
# companion window coming and going, 1,000 generated command lines, and the start from odd
# places, against the real Tuvo.exe under Wine in a virtual display. Takes several minutes.
# The everyday test command (scripts/test.sh) runs the same tests at a small scale.
#   TUVO_SOAK_SCALE  share of the full counts, above 0 and at most 1 (default 1 here)
#   TUVO_SOAK_SEED   seed of the random switches and command lines (default fixed)
# The figures (start and end counts, memory, durations) are printed and kept in
# build/win64/soak.log.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup.sh"
"$root/scripts/build.sh" win64 >/dev/null

source "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$root/build/wineprefix"
export TUVO_SOAK_SCALE=${TUVO_SOAK_SCALE:-1}
echo "== soak (scale $TUVO_SOAK_SCALE)"
ctest --test-dir "$root/build/win64" --output-on-failure -V -L soak 2>&1 |
    tee "$root/build/win64/soak.log" |
    grep --line-buffered -E '^[0-9]+: soak:|Test +#|tests (passed|failed)|Skipped|Failure'
