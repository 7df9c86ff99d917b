#!/usr/bin/env bash
# Runs every test: the native unit tests, plain and under AddressSanitizer and UBSan, then the
# end-to-end tests of the real Tuvo.exe under Wine in a virtual display that this script starts
# and stops (those of the screen under a compositing manager last, each test command starting
# and stopping its own), a short soak (the full one is scripts/soak.sh), and the check of the
# release packages, which it builds. Installs what is missing first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup.sh"
"$root/scripts/build.sh" native native-asan win64 win32 >/dev/null

echo "== unit tests (native)"
ctest --test-dir "$root/build/native" --output-on-failure

echo "== unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1 \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir "$root/build/native-asan" --output-on-failure

echo "== end-to-end tests (Tuvo.exe under Wine)"
source "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$root/build/wineprefix"
ctest --test-dir "$root/build/win64" --output-on-failure -L e2e

echo "== end-to-end tests under a compositing manager (tests/e2e/under_compositor.sh)"
ctest --test-dir "$root/build/win64" --output-on-failure -L compositor

echo "== soak, short (the full soak: scripts/soak.sh)"
env -u TUVO_SOAK_SCALE ctest --test-dir "$root/build/win64" --output-on-failure -L soak

echo "== release packages (scripts/release.sh), unpacked and checked"
"$root/scripts/release.sh"
"$root/tests/package/check_packages.sh"
