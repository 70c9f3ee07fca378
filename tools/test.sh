#!/usr/bin/env bash
# Sets up a Debian 12 machine, checks that the sources follow .clang-format,
# builds Tavrin with warnings as errors and runs every test: the portable core
# natively (with AddressSanitizer and UndefinedBehaviorSanitizer, plus a short
# fuzzing run of the XML reader), the Windows build under Wine and Xvfb, and the
# release archive.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/lib.sh
tools/setup.sh
status=0

# The sources follow .clang-format. A difference does not stop the builds and
# tests below (they still say whether the code works); the command fails at the end.
echo "== clang-format: src, tests, bench"
if [ -e .git ]; then  # a checkout lists its sources; an unpacked copy is searched
    sources=$(git ls-files -- 'src/*.h' 'src/*.cpp' 'tests/*.h' 'tests/*.cpp' 'bench/*.h' 'bench/*.cpp')
else
    sources=$(find src tests bench -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
fi
unformatted=() differences=""
while IFS= read -r source; do
    [ -n "$source" ] || continue
    difference=$(clang-format --dry-run --Werror "$source" 2>&1) || { unformatted+=("$source"); differences+="$difference"$'\n'; }
done <<<"$sources"
if [ "${#unformatted[@]}" -gt 0 ]; then
    printf 'not formatted as .clang-format asks (the first differences follow the list):\n' >&2
    printf '    %s\n' "${unformatted[@]}" >&2
    head -n 20 <<<"$differences" >&2
    printf 'to format them: clang-format -i %s\n' "${unformatted[*]}" >&2
    status=1
fi

echo "== native: portable core"
logged build/native-configure.log "configuring the native build" \
    cmake --preset native -Wno-dev -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build --preset native
ctest --preset native

echo "== native: fuzzing the XML reader for ${TAVRIN_FUZZ_SECONDS:-30} s"
# New inputs go to a scratch folder; an input that fails is kept in build/native/.
corpus="$(mktemp -d)"
trap 'rm -rf "$corpus"' EXIT
fuzz_log=build/native/fuzz.log
if build/native/tests/fuzz/tavrin_xml_fuzz -max_total_time="${TAVRIN_FUZZ_SECONDS:-30}" -print_final_stats=1 \
    -dict=tests/fuzz/xml.dict -artifact_prefix=build/native/ "$corpus" tests/fuzz/corpus >"$fuzz_log" 2>&1; then
    grep -E '^(Done|stat::average_exec_per_sec)' "$fuzz_log"
else
    tail -n 40 "$fuzz_log" >&2
    echo "the fuzzing run failed; its log is $fuzz_log" >&2
    exit 1
fi

echo "== mingw: Windows build under Wine"
logged build/mingw-configure.log "configuring the mingw build" \
    cmake --preset mingw -Wno-dev -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build --preset mingw
export WINEPREFIX="$PWD/build/mingw/wineprefix"
# A prefix's wineserver keeps the display it first ran on: stop the servers of the
# tests' prefixes (the second one runs at 144 DPI) before and after their Xvfb.
stop_wineservers() {
    stop_wineserver "$WINEPREFIX"
    stop_wineserver "$WINEPREFIX-144dpi"
}
stop_wineservers
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset mingw || status=$?
stop_wineservers

echo "== mingw: screenshots of the notification area (build/mingw/artifacts)"
xvfb-run -a -s "-screen 0 1280x1024x24" tools/tray-screenshots.sh build/mingw || status=$?

# Before the fault tests: a copy they kill or that outlives its Close can leave the
# machine busy a while, and keys typed right after the hot key then reach no window.
echo "== mingw: a session without the mouse, with real keys (tools/keyboard-session.sh)"
xvfb-run -a -s "-screen 0 1280x1024x24" tools/keyboard-session.sh build/mingw/src/tavrin.exe 50 || status=$?

echo "== mingw: kills at random moments, and two copies on one folder (short runs; see tools/fault-test.sh)"
tools/fault-test.sh build/mingw/src/tavrin.exe 20 || status=$?
tools/two-copies-test.sh build/mingw/src/tavrin.exe 5 || status=$?

echo "== mingw: the release archive"
if logged build/mingw/package.log "making the release archive" cmake --build --preset mingw --target package; then
    xvfb-run -a -s "-screen 0 1280x1024x24" tools/check-package.sh build/mingw || status=$?
else
    status=1
fi
[ "${#unformatted[@]}" -eq 0 ] || echo "clang-format: ${#unformatted[@]} file(s) not formatted, listed at the start" >&2
exit "$status"
