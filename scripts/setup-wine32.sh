#!/usr/bin/env bash
# Unpacks a 32-bit Wine into build/wine32 for the shipped 32-bit build's tests,
# and does nothing when that is already done. This kernel cannot start 32-bit
# Linux programs, so Wine's 32-bit loader runs under qemu-i386's user mode; its
# server is the machine's own 64-bit wineserver, of the same Wine version.
#
# Nothing is installed: Debian's wine32 and the i386 libraries it needs are
# fetched through a private apt configuration (build/wine32/apt, i386 only, with
# an empty package status, so that apt resolves the whole closure) and unpacked
# with dpkg -x into build/wine32/root. qemu-i386 comes from the release's
# backports (qemu 10): the release's qemu 7.2 looks for free guest memory page
# by page, and since Wine reserves most of the 32-bit address space, each Wine
# process then takes about a minute of processor time to start, and the
# prefix's first start runs into Wine's own time limits.
#
# build/wine32/bin then holds `wine` (the loader under qemu) and `wineserver`,
# which helpers.sh's wine32_environment puts first on the PATH.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/private-apt.sh

dir=$PWD/build/wine32
root=$dir/root
codename=$(debian_codename)
wine_version=$(dpkg-query -W -f='${Version}' wine64 2>/dev/null) || {
    echo "setup-wine32: the machine's wine64 is not installed (scripts/setup.sh installs it)" >&2
    exit 1
}
wineserver=/usr/lib/wine/wineserver64
# Wine's loader and its own libraries, the X extensions it opens at run time
# (as the machine's 64-bit Wine has them), and qemu.
packages=(wine32="$wine_version" libwine="$wine_version" libxrender1 libxrandr2 libxi6
    libxcursor1 libxinerama1 libxcomposite1 libxxf86vm1 libxfixes3)
qemu_package=qemu-user:amd64/$codename-backports

wanted="$dir ${packages[*]} $qemu_package"
if [ "$(cat "$dir/ready" 2>/dev/null)" = "$wanted" ]; then
    exit 0
fi

echo "setup-wine32: unpacking Debian's wine32 $wine_version and qemu-i386 into $dir"
rm -rf "${root:?}" "${dir:?}/qemu" "${dir:?}/bin" "$dir/debs" "$dir/ready"
apt_dir=$dir/apt
log=$dir/setup.log
mkdir -p "$apt_dir" "$dir/debs" "$root" "$dir/qemu" "$dir/bin"
: >"$apt_dir/status"
# The entries on the input, for the architecture ARCH alone.
#   for_architecture ARCH
for_architecture() {
    sed -E "s/^deb \[/deb [arch=$1 /; t; s/^deb /deb [arch=$1] /"
}
{
    # The release's suites for i386; its backports for qemu, for amd64.
    machine_sources deb | for_architecture i386
    machine_sources deb | for_architecture amd64 | awk -v suite="$codename" '
        { for (i = 2; i <= NF; i++) if ($i == suite) { $i = suite "-backports"; print; exit } }'
} >"$apt_dir/sources.list"
if ! grep -q '^deb ' "$apt_dir/sources.list"; then
    echo "setup-wine32: no Debian '$codename' entries in the machine's apt sources" >&2
    exit 1
fi
apt_i386() {
    private_apt "$apt_dir" "$1" -o APT::Architecture=i386 -o APT::Architectures::=i386 \
        -o APT::Architectures::=amd64 -o Dir::State::status="$apt_dir/status" -- "${@:2}"
}
fail() {
    cat "$log" >&2
    echo "setup-wine32: $*" >&2
    exit 1
}

apt_i386 apt-get update >"$log" 2>&1 || fail "apt-get update failed"
# Everything wine32 needs, as apt would install it on an empty i386 system.
mapfile -t closure < <(apt_i386 apt-get -s install --no-install-recommends "${packages[@]}" \
    2>>"$log" | awk '/^Inst / { print $2 "=" substr($3, 2) }')
printf '%s\n' "${closure[@]}" | grep -q '^wine32=' ||
    fail "Debian's i386 wine32 $wine_version (the machine's 64-bit Wine's version) is not offered"
(cd "$dir/debs" && apt_i386 apt-get download "${closure[@]}" "$qemu_package") >>"$log" 2>&1 ||
    fail "downloading the packages failed"

for deb in "$dir"/debs/*_i386.deb "$dir"/debs/*_all.deb; do
    dpkg -x "$deb" "$root"
done
dpkg-deb --fsys-tarfile "$dir"/debs/qemu-user_*_amd64.deb |
    tar -x -C "$dir/qemu" ./usr/bin/qemu-i386
rm -rf "$dir/debs"

# The loader finds Wine's i386 libraries (and Wine those it opens at run time,
# such as FreeType) through the root's library cache.
echo 'include /etc/ld.so.conf.d/*.conf' >"$root/etc/ld.so.conf"
/sbin/ldconfig -r "$root"

# What libwine's installation does: zlib1.dll, marked as a Wine built-in, beside
# Wine's own DLLs (user32 needs it).
zlib=$root/usr/i686-w64-mingw32/lib/zlib1.dll
{
    head -c 64 "$zlib"
    printf 'Wine builtin DLL'
    printf '\0%.0s' $(seq 16)
    tail -c +97 "$zlib"
} >"$root/usr/lib/i386-linux-gnu/wine/i386-windows/zlib1.dll"

# The loader under qemu. Wine starts every further process through the file
# named like its argv[0] in the directory of its executable, so the loader is
# started as wine-qemu in that directory: this script, which the kernel can run.
loader=$root/usr/lib/wine/wine-qemu
cat >"$loader" <<EOF
#!/bin/sh
WINELOADERNOEXEC=1 exec "$dir/qemu/usr/bin/qemu-i386" -L "$root" -0 "$loader" \\
    "$root/usr/lib/wine/wine" "\$@"
EOF
chmod +x "$loader"
ln -s "$loader" "$dir/bin/wine"
ln -s "$wineserver" "$dir/bin/wineserver"
echo "$wanted" >"$dir/ready"
echo "setup-wine32: done"
