#!/usr/bin/env bash
# Prepares a Debian 12 machine for building and testing, and does nothing that
# is already done: installs the missing packages that the build and the tests
# use, and fetches Debian's libjpeg-turbo and lcms2 sources (built later, once
# per Windows build tree) into build/third_party. The source comes through a private apt
# configuration under build/apt, so the machine's own apt configuration, lists
# and cache stay as they are.
set -euo pipefail
cd "$(dirname "$0")/.."

# The libjpeg-turbo and the Little CMS the Windows builds are made and tested
# with.
jpeg_version=2.1.5
jpeg_source_version=1:2.1.5-2
lcms_version=2.14
lcms_source_version=2.14-2+deb12u1

packages=(
    # building: the front door, CMake with Ninja, GCC and clang (the fuzz
    # target and its runtime), MinGW-w64 with libjpeg-turbo's assembler, Python
    # (the resources' images, the show's benchmark), dpkg-source (apt-get source)
    make cmake ninja-build g++ gcc clang libclang-rt-14-dev
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix nasm python3 dpkg-dev
    # the native tests: libjpeg, Little CMS, GoogleTest (also cross-built from its
    # sources), the formatting and shell checks over the tracked files
    libjpeg62-turbo-dev liblcms2-dev libgtest-dev googletest clang-format shellcheck git
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
jpeg_ready=$third_party/libjpeg-turbo-$jpeg_version/CMakeLists.txt
lcms_ready=$third_party/lcms2-$lcms_version/src/cmsxform.c
[ -f "$jpeg_ready" ] && [ -f "$lcms_ready" ] && exit 0

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
private_apt "$apt_dir" apt-get -- update >"$third_party/source.log" 2>&1 || {
    cat "$third_party/source.log" >&2
    exit 1
}

# Fetches Debian's source package PACKAGE at VERSION (the upstream one being
# UPSTREAM) into build/third_party, in place of any other version of it.
#   fetch_source PACKAGE UPSTREAM VERSION
fetch_source() {
    local package=$1 upstream=$2 version=$3 offered
    echo "setup: fetching Debian's $package $version source into $third_party"
    offered=$(private_apt "$apt_dir" apt-cache -- showsrc "$package" 2>/dev/null |
        sed -n 's/^Version: //p' | sort -u)
    if ! grep -qxF "$version" <<<"$offered"; then
        echo "setup: Pelloran is built with $package $upstream (Debian source" \
            "$version), but the Debian sources offer ${offered:-none}" >&2
        exit 1
    fi
    rm -rf "${third_party:?}/$package"-* "${third_party:?}/$package"_*
    (cd "$third_party" &&
        private_apt "$apt_dir" apt-get -- source "$package=$version") \
        >>"$third_party/source.log" 2>&1 || {
        cat "$third_party/source.log" >&2
        exit 1
    }
}

[ -f "$jpeg_ready" ] || fetch_source libjpeg-turbo "$jpeg_version" "$jpeg_source_version"
[ -f "$lcms_ready" ] || fetch_source lcms2 "$lcms_version" "$lcms_source_version"
