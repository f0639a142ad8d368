#!/usr/bin/env bash
# Installs the Debian packages that building and testing Korimbo need, when any is missing.
# Safe to run again: it does nothing when everything is there.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev   # compilers; clang for the fuzzers and sanitizers
    libgtest-dev libbenchmark-dev                    # tests and benchmarks
    python3 hyperfine coreutils                      # benchmark comparisons
    qt6-base-dev qt6-qpa-plugins fonts-wqy-zenhei    # the window program: Qt 6 Widgets, a CJK font
    xvfb xauth xdotool xclip x11-utils imagemagick   # window screenshot and benchmark
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if ((${#missing[@]} == 0)); then
    exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
