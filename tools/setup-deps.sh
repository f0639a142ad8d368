#!/usr/bin/env bash
# Installs the Debian packages that building and testing Korimbo need, when any is missing.
# Safe to run again: it does nothing when everything is there.
#   tools/setup-deps.sh [GROUP...]   also installs the optional groups named:
#     windows  the Windows cross build and Wine to run it (tools/build-windows, tools/test-windows)
set -euo pipefail

packages=(
    cmake ninja-build ccache g++ clang libclang-rt-14-dev   # compilers; clang for the fuzzers and sanitizers
    clang-format                                     # tools/check-format
    libgtest-dev libbenchmark-dev                    # tests and benchmarks
    python3 hyperfine coreutils                      # benchmark comparisons
    qt6-base-dev qt6-qpa-plugins fonts-wqy-zenhei    # the window program: Qt 6 Widgets, a CJK font
    libxcb1-dev pkg-config                           # asking an X11 window manager for the frame
    xvfb xauth xdotool xclip x11-utils imagemagick   # window screenshot and benchmark
    openbox python3-xlib                             # the window under a real window manager
    help2man dpkg-dev lintian desktop-file-utils appstream xdg-utils man-db file unzip  # packages and their checks
)

add_i386=false
use_backports_qemu=false
for group in "$@"; do
    case $group in
    windows)
        # The 32-bit compiler makes the programs most Windows users run, the 64-bit one the win64
        # build; tools/test-windows tests both under Wine.
        # fonts-wine: Wine's own Tahoma and dialog fonts (only recommended by wine, and skipped
        # below), without which title bars and Latin text show as wrong glyphs.
        packages+=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine32:i386 wine64 xvfb fonts-wine)
        packages+=(locales) # the zh_CN locale's source, for the tests under a Chinese ANSI code page
        if ! dpkg --print-foreign-architectures | grep -qx i386; then
            add_i386=true
        fi
        use_backports_qemu=true
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

# qemu-user runs the 32-bit Windows tests where the kernel runs no 32-bit code (tools/with-i386).
# It comes from bookworm-backports: bookworm's qemu 7.2 runs 32-bit Wine so slowly (about 48 s
# for each Wine process) that setting up a Wine prefix takes a quarter of an hour and fails now
# and then, where qemu 10 takes well under a second per process. Backports is added with a
# priority that lets nothing else come from there: only qemu-user is pinned to it. Its binaries
# are static, and without its recommended qemu-user-binfmt nothing is registered machine-wide.
backports_list=/etc/apt/sources.list.d/korimbo-bookworm-backports.sources
backports_pin=/etc/apt/preferences.d/korimbo-bookworm-backports
backports_qemu_installed() {
    local status
    status=$(dpkg-query -W -f='${Status} ${Version}' qemu-user 2>/dev/null) || return 1
    [[ $status == 'install ok installed '* ]] && dpkg --compare-versions "${status##* }" ge 1:10
}
add_backports=false
if $use_backports_qemu && ! backports_qemu_installed; then
    missing+=(qemu-user)
    if [ ! -e "$backports_list" ] || [ ! -e "$backports_pin" ]; then
        add_backports=true
    fi
fi

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
if $add_backports; then
    # From the mirror that already serves bookworm here.
    mirror=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' | awk '$2 == "bookworm" { print $1; exit }')
    if [ -z "$mirror" ]; then
        echo "setup-deps: no apt source for bookworm found, so bookworm-backports cannot be added" >&2
        exit 1
    fi
    echo "Adding bookworm-backports for qemu-user only ($backports_list, $backports_pin)"
    "${sudo[@]}" tee "$backports_list" >/dev/null <<SOURCES
Types: deb
URIs: $mirror
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    "${sudo[@]}" tee "$backports_pin" >/dev/null <<'PIN'
Package: *
Pin: release n=bookworm-backports
Pin-Priority: -1

Package: qemu-user
Pin: release n=bookworm-backports
Pin-Priority: 500
PIN
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
