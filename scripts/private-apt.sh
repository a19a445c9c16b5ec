# shellcheck shell=bash
# Private apt configurations under build/: entries for the machine's Debian
# suites, with lists and cache of their own, so that the machine's own apt
# configuration, lists and cache stay as they are. Sourced by scripts/setup.sh
# (Debian's libjpeg-turbo and lcms2 sources) and scripts/setup-wine32.sh (the
# 32-bit Wine the shipped build runs under). Sourced, not run.

# The machine's release, such as bookworm.
debian_codename() {
    (. /etc/os-release && echo "$VERSION_CODENAME")
}

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

# The machine's binary entries for the suites of its release (such as
# bookworm, bookworm-updates and bookworm-security), one a line as
#   TYPE [options] URI suite component...
# with TYPE deb or deb-src.
#   machine_sources TYPE
machine_sources() {
    local type=$1 codename
    codename=$(debian_codename)
    {
        # One-line entries: deb [options] URI suite component...
        cat_existing /etc/apt/sources.list /etc/apt/sources.list.d/*.list |
            awk '$1 == "deb" { print }'
        # deb822 stanzas, one deb line per URI and suite.
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
                     print "deb " options u[i] " " s[j] " " components
                 }'
    } | awk -v codename="$codename" -v type="$type" \
        '$0 ~ " " codename "(-[a-z]+)? " { $1 = type; print }' | sort -u
}

# Runs an apt command (apt-get, apt-cache) with the private configuration in
# APT_DIR: its sources.list, lists and cache, and the further options given
# before the command's own arguments end with "--".
#   private_apt APT_DIR COMMAND [OPTION...] -- ARGUMENT...
private_apt() {
    local dir=$1 command=$2 options=()
    shift 2
    while [ "$1" != -- ]; do
        options+=("$1")
        shift
    done
    shift
    mkdir -p "$dir/lists/partial" "$dir/cache/archives/partial"
    "$command" -q -o Dir::Etc::sourcelist="$dir/sources.list" -o Dir::Etc::sourceparts=- \
        -o Dir::State::Lists="$dir/lists" -o Dir::Cache="$dir/cache" \
        -o APT::Sandbox::User="$(id -un)" "${options[@]}" "$@"
}
