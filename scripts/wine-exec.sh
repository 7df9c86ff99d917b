#!/usr/bin/env bash
# Runs a Windows program under Wine in the test session that scripts/wine-session.sh started
# (its display and prefix come from the environment).
set -euo pipefail
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    echo "wine-exec.sh: no Wine session; run the tests through scripts/test.sh" >&2
    exit 2
fi
exec wine "$@"
