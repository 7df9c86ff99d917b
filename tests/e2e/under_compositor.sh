#!/usr/bin/env bash
# Runs a Windows test program under Wine (scripts/wine-exec.sh) with a compositing manager,
# xcompmgr, drawing the test session's display, and stops it afterwards: the compositor lives
# exactly as long as the program, so no other test runs under it.
#
#     tests/e2e/under_compositor.sh PROGRAM [ARGUMENTS...]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
    echo "under_compositor.sh: no display; run the tests through scripts/test.sh" >&2
    exit 2
fi

xcompmgr >/dev/null 2>&1 &
compositor=$!
trap 'kill "$compositor" 2>/dev/null; wait "$compositor" 2>/dev/null || true' EXIT
sleep 1  # the compositor takes over the windows; it ends at once where it cannot
if ! kill -0 "$compositor" 2>/dev/null; then
    echo "under_compositor.sh: xcompmgr did not start on $DISPLAY" >&2
    exit 2
fi
"$root/scripts/wine-exec.sh" "$@"
