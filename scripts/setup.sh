#!/usr/bin/env bash
# Installs what building and testing Tuvo needs on a Debian machine, if it is missing:
# the native compiler and test libraries, the MinGW-w64 cross compiler (and the tool that
# strips time stamps from the release zips), Wine and a virtual X display with the tools for
# screenshots.
set -euo pipefail

packages=(
    cmake g++ make
    googletest libgtest-dev libbenchmark-dev
    mingw-w64 strip-nondeterminism unzip
    wine wine64
    xvfb x11-utils xcompmgr imagemagick
    fonts-ipafont-gothic
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}" >&2
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
