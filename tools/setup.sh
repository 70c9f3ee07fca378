#!/usr/bin/env bash
# Installs what building and testing Tavrin needs on Debian 12 and cross-builds
# libpng and libjpeg-turbo for MinGW-w64 from Debian's source packages into a
# cache outside the build tree. Safe to run again: it only does what is missing.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

cache="${TAVRIN_CACHE:-$HOME/.cache/tavrin}"
prefix="$cache/mingw-w64"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

packages=(cmake ninja-build g++ clang clang-format libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev libpugixml-dev
          g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev libz-mingw-w64-dev
          wine wine64 xvfb xauth x11-utils xdotool imagemagick dpkg-dev python3)
missing=()
for package in "${packages[@]}"; do
    # dpkg-query fails for a package it has never seen: that, too, means missing.
    state="$(dpkg-query -W -f='${Status}' "$package" 2>&1)" || true
    [[ "$state" == *"ok installed"* ]] || missing+=("$package")
done

# Prints, as deb822 stanzas, deb-src entries that mirror the Debian "deb" entries
# configured in an apt folder (argument 1) for a release (argument 2), or nothing
# when a Debian deb-src entry is there already; fails when it finds neither.
# An entry counts as Debian's when it has the release's own suites (<release>,
# <release>-updates, <release>-security) and Debian's components, and names no
# keyring or only Debian's archive keyrings. Its URIs are kept as they are, so
# mirrors and proxies are too; third-party repositories drop out by their suites
# (nodesource's "nodistro", google's "cloud-sdk-bookworm"), their components
# (docker's "stable") or their keyrings.
debian_deb_src() {
    local dir="$1" release="$2" files=() file
    for file in "$dir/sources.list" "$dir"/sources.list.d/*.list "$dir"/sources.list.d/*.sources; do
        [ -f "$file" ] && files+=("$file")
    done
    [ "${#files[@]}" -gt 0 ] || return 1
    awk -v release="$release" '
        function keep(list, wanted,    n, i, item, kept) {
            n = split(list, item, /[ \t]+/)
            kept = ""
            for (i = 1; i <= n; i++) if (item[i] in wanted) kept = kept (kept == "" ? "" : " ") item[i]
            return kept
        }
        function debian_keyrings(list,    n, i, path, parts) {
            n = split(list, path, /[ \t,]+/)
            for (i = 1; i <= n; i++)
                if (path[i] != "" && path[i] !~ /(^|\/)debian-archive-[^\/]*$/) return 0
            return 1
        }
        function entry(types, uris, suites, components, signed,    n, i, type, stanza) {
            suites = keep(suites, suite_names)
            components = keep(components, component_names)
            if (uris == "" || suites == "" || components == "" || !debian_keyrings(signed)) return
            n = split(types, type, /[ \t]+/)
            for (i = 1; i <= n; i++) {
                if (type[i] == "deb-src") have_src = 1
                if (type[i] != "deb") continue
                stanza = "Types: deb-src\nURIs: " uris "\nSuites: " suites "\nComponents: " components "\n"
                if (signed != "") stanza = stanza "Signed-By: " signed "\n"
                if (!(stanza in seen)) { seen[stanza] = 1; out = out (out == "" ? "" : "\n") stanza }
            }
        }
        function paragraph_end() {
            if (tolower(field["enabled"]) != "no")
                entry(field["types"], field["uris"], field["suites"], field["components"], field["signed-by"])
            split("", field)
            name = ""
        }
        BEGIN {
            suite_names[release]; suite_names[release "-updates"]; suite_names[release "-security"]
            component_names["main"]; component_names["contrib"]; component_names["non-free"]
            component_names["non-free-firmware"]
        }
        FNR == 1 && deb822 { paragraph_end() }
        FNR == 1 { deb822 = FILENAME ~ /\.sources$/ }
        deb822 && /^#/ { next }
        deb822 && /^[ \t]*$/ { paragraph_end(); next }
        deb822 && /^[ \t]/ { sub(/^[ \t]+/, ""); if (name != "") field[name] = field[name] " " $0; next }
        deb822 {
            name = tolower(substr($0, 1, index($0, ":") - 1))
            field[name] = substr($0, index($0, ":") + 1)
            gsub(/^[ \t]+|[ \t]+$/, "", field[name])
            next
        }
        {   # one line: deb|deb-src [options] uri suite component...
            sub(/#.*/, "")
            if ($1 != "deb" && $1 != "deb-src") next
            signed = ""
            at = 2
            if ($2 ~ /^\[/) {
                options = ""
                for (; at <= NF; at++) { options = options " " $at; if ($at ~ /\]$/) { at++; break } }
                gsub(/[\[\]]/, " ", options)
                n = split(options, option, /[ \t]+/)
                for (i = 1; i <= n; i++) if (tolower(option[i]) ~ /^signed-by=/) signed = substr(option[i], 11)
            }
            components = ""
            for (i = at + 2; i <= NF; i++) components = components " " $i
            entry($1, $at, $(at + 1), components, signed)
        }
        END {
            if (deb822) paragraph_end()
            if (have_src) exit 0
            if (out == "") exit 1
            printf "%s", out
        }
    ' "${files[@]}"
}

# Debian's source packages need a deb-src entry; add one, taken from the
# machine's Debian entries, when none exists.
updated=1
if [ ! -f "$prefix/.libs-ready" ]; then
    release="$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")"
    if ! sources="$(debian_deb_src /etc/apt "$release")"; then
        echo "setup.sh: no Debian deb entry for $release in /etc/apt/sources.list{,.d} to take a deb-src entry" \
             "from; add a deb-src entry for Debian's $release main and run again" >&2
        exit 1
    fi
    if [ -n "$sources" ]; then
        printf '%s' "$sources" | $sudo tee /etc/apt/sources.list.d/tavrin-deb-src.sources >/dev/null
        updated=0
    fi
fi
logs="$cache/logs"
mkdir -p "$logs"
if [ "${#missing[@]}" -gt 0 ] || [ "$updated" -eq 0 ]; then
    logged "$logs/apt-update.log" "apt-get update" $sudo apt-get update
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "setup.sh: installing ${missing[*]}"
        logged "$logs/apt-install.log" "installing ${missing[*]}" \
            $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
    fi
fi

# fetch_source <folder> <package>: downloads and unpacks a Debian source package into
# the folder, trying each version that apt lists, newest first, until one downloads:
# an archive snapshot may list a version whose files it no longer holds.
fetch_source() {
    local folder="$1" package="$2" listed version sorted=() tried=() i log
    if ! listed="$(apt-cache showsrc "$package" 2>&1)"; then
        echo "setup.sh: apt-cache showsrc $package failed: $listed" >&2
        return 1
    fi
    for version in $(awk '/^Version:/ { print $2 }' <<<"$listed"); do
        for ((i = 0; i < ${#sorted[@]}; i++)); do
            dpkg --compare-versions "$version" gt "${sorted[i]}" && break
        done
        sorted=("${sorted[@]:0:i}" "$version" "${sorted[@]:i}")
    done
    if [ "${#sorted[@]}" -eq 0 ]; then
        echo "setup.sh: apt lists no source package $package (is there a deb-src entry for Debian?)" >&2
        return 1
    fi
    log="$logs/source-$package.log"
    for version in "${sorted[@]}"; do
        tried+=("$version")
        rm -rf "$folder" && mkdir -p "$folder"
        if (cd "$folder" && apt-get source "$package=$version") >"$log" 2>&1; then
            [ "${#tried[@]}" -eq 1 ] || echo "setup.sh: $package ${tried[0]} could not be fetched; using $version"
            return 0
        fi
    done
    echo "setup.sh: no version of the source package $package could be fetched;" \
         "tried ${tried[*]}. The last lines of $log:" >&2
    tail -n 15 "$log" | sed 's/^/    /' >&2
    return 1
}

# build_library <name> <source folder> <extra CMake options...>: cross-builds and installs it.
build_library() {
    local name="$1" source="$2"
    shift 2
    logged "$logs/$name-configure.log" "configuring $name for MinGW" \
        cmake -S "$source" -B "$source/build-mingw" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" "$@"
    logged "$logs/$name-build.log" "building $name for MinGW" cmake --build "$source/build-mingw"
    logged "$logs/$name-install.log" "installing $name into $prefix" cmake --install "$source/build-mingw"
}

if [ ! -f "$prefix/.libs-ready" ]; then
    echo "setup.sh: cross-building libpng and libjpeg-turbo for MinGW into $prefix"
    work="$cache/src"
    rm -rf "$work" "$prefix" && mkdir -p "$work" "$prefix"
    toolchain="$(cd "$(dirname "$0")/.." && pwd)/cmake/mingw-w64.cmake"
    fetch_source "$work/libpng" libpng1.6
    fetch_source "$work/libjpeg" libjpeg-turbo
    build_library libpng "$(ls -d "$work"/libpng/libpng1.6-*/)" -DPNG_SHARED=OFF -DPNG_TESTS=OFF \
                  -DPNG_EXECUTABLES=OFF -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a \
                  -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include
    build_library libjpeg-turbo "$(ls -d "$work"/libjpeg/libjpeg-turbo-*/)" -DENABLE_SHARED=OFF -DWITH_SIMD=OFF \
                  -DWITH_TURBOJPEG=OFF
    rm -rf "$work"
    touch "$prefix/.libs-ready"
fi
