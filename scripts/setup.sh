#!/usr/bin/env bash
# Prepares a Debian 12 machine for building and testing, and does nothing that
# is already done: installs the missing packages that the build and the tests
# use, and fetches Debian's libjpeg-turbo source (built later, once per Windows
# build tree) into build/third_party. The source comes through a private apt
# configuration under build/apt, so the machine's own apt configuration, lists
# and cache stay as they are.
set -euo pipefail
cd "$(dirname "$0")/.."

# The libjpeg-turbo the Windows builds are made and tested with.
jpeg_version=2.1.5
jpeg_source_version=1:2.1.5-2

packages=(
    # building: the front door, CMake with Ninja, GCC and clang (the fuzz
    # target and its runtime), MinGW-w64 with libjpeg-turbo's assembler, Python
    # (the resources' images, the show's benchmark), dpkg-source (apt-get source)
    make cmake ninja-build g++ gcc clang libclang-rt-14-dev
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix nasm python3 dpkg-dev
    # the native tests: libjpeg, GoogleTest (also cross-built from its
    # sources), the formatting and shell checks over the tracked files
    libjpeg62-turbo-dev libgtest-dev googletest clang-format shellcheck git
    # the portable core's tests as 32-bit programs, run under qemu's user mode
    g++-multilib qemu-user
    # the Windows and end-to-end tests: Wine on Xvfb, input, screenshots
    wine wine64 xvfb xdotool imagemagick
    # the release: zips and installers (wixl; msibuild and msiinfo from msitools)
    msitools wixl
)

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]} (to build and test Pelloran)"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

third_party=build/third_party
[ -f "$third_party/libjpeg-turbo-$jpeg_version/CMakeLists.txt" ] && exit 0

# The private apt configuration: deb-src entries for the machine's Debian
# suites, with lists and cache of its own.
. scripts/private-apt.sh
apt_dir=$PWD/build/apt
mkdir -p "$apt_dir" "$third_party"
machine_sources deb-src >"$apt_dir/sources.list"
if [ ! -s "$apt_dir/sources.list" ]; then
    echo "setup: no Debian '$(debian_codename)' entries in the machine's apt sources" >&2
    exit 1
fi

echo "setup: fetching Debian's libjpeg-turbo $jpeg_source_version source into $third_party"
private_apt "$apt_dir" apt-get -- update >"$third_party/source.log" 2>&1 || {
    cat "$third_party/source.log" >&2
    exit 1
}
offered=$(private_apt "$apt_dir" apt-cache -- showsrc libjpeg-turbo 2>/dev/null |
    sed -n 's/^Version: //p' | sort -u)
if ! grep -qxF "$jpeg_source_version" <<<"$offered"; then
    echo "setup: Pelloran is built with libjpeg-turbo $jpeg_version (Debian source" \
        "$jpeg_source_version), but the Debian sources offer ${offered:-none}" >&2
    exit 1
fi
rm -rf "$third_party"/libjpeg-turbo-*
(cd "$third_party" &&
    private_apt "$apt_dir" apt-get -- source "libjpeg-turbo=$jpeg_source_version") \
    >>"$third_party/source.log" 2>&1 || {
    cat "$third_party/source.log" >&2
    exit 1
}
