#!/usr/bin/env bash
# Builds the release of one commit (default HEAD) twice, each time with scripts/release.sh in a
# fresh clone of its own, in two folders of different names and depths, one after the other and
# the second under another umask, and checks that both give the same bytes: every zip, debug
# file, SHA256SUMS and BUILDINFO.txt, and the Tuvo.exe inside each zip. Uncommitted changes are
# not part of it. The clones stay in build/reproducible/ for a closer look.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
commit=$(git -C "$root" rev-parse --verify "${1:-HEAD}^{commit}")
base=$root/build/reproducible
first=$base/first
second=$base/second/in/a/deeper/folder

rm -rf "$base"
for tree in "$first" "$second"; do
    mkdir -p "$(dirname "$tree")"
    git clone -q --no-checkout "$root" "$tree"
    git -C "$tree" checkout -q --detach "$commit"
done

echo "check_reproducible: building $commit in $first"
"$first/scripts/release.sh" >/dev/null
echo "check_reproducible: building it again in $second"
(umask 077 && "$second/scripts/release.sh" >/dev/null)

a=$first/build/release
b=$second/build/release
same=true
if ! diff <(cd "$a" && sha256sum -- *) <(cd "$b" && sha256sum -- *); then
    same=false
fi
for zip in "$a"/Tuvo-*.zip; do
    name=$(basename "$zip")
    if ! cmp <(unzip -p "$zip" Tuvo.exe) <(unzip -p "$b/$name" Tuvo.exe); then
        echo "check_reproducible: Tuvo.exe in $name differs" >&2
        same=false
    fi
done
if [ "$same" != true ]; then
    echo "check_reproducible: the two builds differ (compare them with diffoscope)" >&2
    exit 1
fi
echo "check_reproducible: the two builds are identical, byte for byte:"
sed 's/^/  /' "$a/SHA256SUMS"
