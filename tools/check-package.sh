#!/usr/bin/env bash
# Checks the release archive of a build as a user gets it: the files it holds, a
# stripped tavrin.exe, and that this exe, unzipped into a folder of its own, starts
# under Wine and shows its window. Run inside xvfb-run: check-package.sh <build folder>.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
build=$(cd "$1" && pwd)
fail() {
    echo "check-package.sh: $*" >&2
    exit 1
}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in $build/CMakeCache.txt"
name="Tavrin-$version-win64"
archive="$build/$name.zip"
[ -f "$archive" ] || fail "$archive is missing (cmake --build --preset mingw --target package makes it)"

home=$(mktemp -d)
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all
trap 'stop_wineserver "$WINEPREFIX"; rm -rf "$home"' EXIT
(cd "$home" && cmake -E tar xf "$archive") || fail "$archive could not be unpacked"
listed=$(cd "$home" && find . -type f | sort | tr '\n' ' ')
expected="./$name/LICENSE.txt ./$name/README.txt ./$name/tavrin.exe "
[ "$listed" = "$expected" ] || fail "$archive holds: $listed; expected: $expected"
exe="$home/$name/tavrin.exe"
if x86_64-w64-mingw32-objdump -h "$exe" | grep -q '\.debug_'; then fail "tavrin.exe in $archive is not stripped"; fi
grep -q "Tavrin $version" "$home/$name/README.txt" || fail "README.txt does not name version $version"
echo "$archive: $(wc -c <"$archive") bytes; tavrin.exe $(wc -c <"$exe") bytes (built: $(wc -c <"$build/src/tavrin.exe"))"

"$(dirname "$0")/wine-prefix.sh" "$WINEPREFIX" --unmanaged
wine "Z:${exe//\//\\}" &
shown() { xdotool search --onlyvisible --name '^Tavrin$' >/dev/null; }
wait_until 30 shown || fail "tavrin.exe from $archive showed no window within 30 s"
[ -f "$home/$name/tavrin.xml" ] || fail "tavrin.exe from $archive wrote no tavrin.xml beside itself"
echo "tavrin.exe from $archive starts and shows its window"
