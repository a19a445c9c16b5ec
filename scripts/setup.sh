#!/usr/bin/env bash
# Prepares a Debian 12 machine for building and testing, and does nothing that
# is already done: installs the missing packages, adds deb-src entries for the
# configured suites when there are none, and fetches Debian's libjpeg-turbo
# source (built later, once per Windows build tree) into build/third_party.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    make cmake ninja-build g++ gcc clang libclang-rt-14-dev python3 file dpkg-dev
    libjpeg62-turbo-dev libgtest-dev googletest libbenchmark-dev
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix nasm
    wine wine64 xvfb xdotool x11-apps imagemagick clang-format msitools wixl
)

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# deb-src entries mirroring the configured deb entries, when no source entry exists.
have_deb_src() {
    grep -rqsE '^[[:space:]]*(deb-src[[:space:]]|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/
}
add_deb_src() {
    local sources
    sources=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
        awk 'BEGIN { RS = ""; FS = "\n" }
             {
               types = ""; rest = ""
               for (i = 1; i <= NF; i++) {
                 if ($i ~ /^#/) continue
                 if ($i ~ /^Types:/) types = $i; else rest = rest $i "\n"
               }
               if (types ~ /[[:space:]]deb([[:space:]]|$)/) printf "Types: deb-src\n%s\n", rest
             }')
    if [ -n "$sources" ]; then
        echo "$sources" | as_root tee /etc/apt/sources.list.d/pelloran-deb-src.sources >/dev/null
    fi
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' /etc/apt/sources.list |
            as_root tee /etc/apt/sources.list.d/pelloran-deb-src.list >/dev/null
    fi
    as_root apt-get update -q
}

third_party=build/third_party
if ! ls "$third_party"/libjpeg-turbo-*/CMakeLists.txt >/dev/null 2>&1; then
    have_deb_src || add_deb_src
    mkdir -p "$third_party"
    fetch() { (cd "$third_party" && apt-get source -q libjpeg-turbo >source.log 2>&1); }
    fetch || { as_root apt-get update -q && fetch; } || {
        cat "$third_party/source.log" >&2
        exit 1
    }
fi
