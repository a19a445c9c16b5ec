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
    # sources), the formatting check over the tracked files
    libjpeg62-turbo-dev libgtest-dev googletest clang-format git
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
# suites (those of its release, such as bookworm, bookworm-updates and
# bookworm-security), with lists and cache of its own.
apt_dir=$PWD/build/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$third_party"
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
# The files that exist, each followed by an empty line, which ends its last
# deb822 stanza.
cat_existing() {
    local f
    for f in "$@"; do
        if [ -f "$f" ]; then
            cat "$f"
            echo
        fi
    done
}
{
    # One-line entries: deb [options] URI suite component...
    cat_existing /etc/apt/sources.list /etc/apt/sources.list.d/*.list |
        awk '$1 == "deb" { $1 = "deb-src"; print }'
    # deb822 stanzas, one deb-src line per URI and suite.
    cat_existing /etc/apt/sources.list.d/*.sources |
        awk 'BEGIN { RS = ""; FS = "\n" }
             {
               types = uris = suites = components = signed = ""; enabled = 1
               for (i = 1; i <= NF; i++) {
                 line = $i
                 if (line ~ /^#/) continue
                 key = tolower(line); sub(/:.*/, "", key)
                 value = line; sub(/^[^:]*:[[:space:]]*/, "", value)
                 if (key == "types") types = value
                 else if (key == "uris") uris = value
                 else if (key == "suites") suites = value
                 else if (key == "components") components = value
                 else if (key == "signed-by") signed = value
                 else if (key == "enabled" && tolower(value) == "no") enabled = 0
               }
               if (!enabled || (" " types " ") !~ / deb /) next
               options = signed != "" ? "[signed-by=" signed "] " : ""
               nu = split(uris, u, /[[:space:]]+/); ns = split(suites, s, /[[:space:]]+/)
               for (i = 1; i <= nu; i++) for (j = 1; j <= ns; j++)
                 print "deb-src " options u[i] " " s[j] " " components
             }'
} | awk -v codename="$codename" '$0 ~ " " codename "(-[a-z]+)? " { print }' |
    sort -u >"$apt_dir/sources.list"
if [ ! -s "$apt_dir/sources.list" ]; then
    echo "setup: no Debian '$codename' entries in the machine's apt sources" >&2
    exit 1
fi

private_apt() {
    "$1" -q -o Dir::Etc::sourcelist="$apt_dir/sources.list" -o Dir::Etc::sourceparts=- \
        -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache" \
        -o APT::Sandbox::User="$(id -un)" "${@:2}"
}

echo "setup: fetching Debian's libjpeg-turbo $jpeg_source_version source into $third_party"
private_apt apt-get update >"$third_party/source.log" 2>&1 || {
    cat "$third_party/source.log" >&2
    exit 1
}
offered=$(private_apt apt-cache showsrc libjpeg-turbo 2>/dev/null | sed -n 's/^Version: //p' | sort -u)
if ! grep -qxF "$jpeg_source_version" <<<"$offered"; then
    echo "setup: Pelloran is built with libjpeg-turbo $jpeg_version (Debian source" \
        "$jpeg_source_version), but the Debian sources offer ${offered:-none}" >&2
    exit 1
fi
rm -rf "$third_party"/libjpeg-turbo-*
(cd "$third_party" && private_apt apt-get source "libjpeg-turbo=$jpeg_source_version") \
    >>"$third_party/source.log" 2>&1 || {
    cat "$third_party/source.log" >&2
    exit 1
}
