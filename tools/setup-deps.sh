#!/usr/bin/env bash
# Installs the Debian packages that building and testing Korimbo need, when any is missing.
# Safe to run again: it does nothing when everything is there.
#   tools/setup-deps.sh [GROUP...]   also installs the optional groups named:
#     windows  the Windows cross build and Wine to run it (tools/build-windows, tools/test-windows)
set -euo pipefail

packages=(
    cmake ninja-build ccache g++ clang libclang-rt-14-dev   # compilers; clang for the fuzzers and sanitizers
    libgtest-dev libbenchmark-dev                    # tests and benchmarks
    python3 hyperfine coreutils                      # benchmark comparisons
    qt6-base-dev qt6-qpa-plugins fonts-wqy-zenhei    # the window program: Qt 6 Widgets, a CJK font
    libxcb1-dev pkg-config                           # asking an X11 window manager for the frame
    xvfb xauth xdotool xclip x11-utils imagemagick   # window screenshot and benchmark
    openbox python3-xlib                             # the window under a real window manager
    help2man dpkg-dev lintian desktop-file-utils appstream xdg-utils man-db file unzip  # packages and their checks
)

add_i386=false
for group in "$@"; do
    case $group in
    windows)
        # The 32-bit compiler makes the programs; the 64-bit compiler and Wine serve machines that
        # cannot run 32-bit code, where tools/test-windows tests a 64-bit build instead.
        packages+=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine32:i386 wine64 xvfb)
        packages+=(locales) # the zh_CN locale's source, for the tests under a Chinese ANSI code page
        if ! dpkg --print-foreign-architectures | grep -qx i386; then
            add_i386=true
        fi
        ;;
    *)
        echo "setup-deps: unknown group $group (known: windows)" >&2
        exit 2
        ;;
    esac
done

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
if $add_i386; then
    echo "Adding the package architecture i386 (for wine32)"
    "${sudo[@]}" dpkg --add-architecture i386
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
