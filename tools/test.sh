#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Tavrin and runs every test: the portable
# core natively (with AddressSanitizer and UndefinedBehaviorSanitizer, plus a
# short fuzzing run of the XML reader) and the Windows build under Wine and Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh

echo "== native: portable core"
cmake --preset native -Wno-dev >/dev/null
cmake --build --preset native
ctest --preset native

echo "== native: fuzzing the XML reader for ${TAVRIN_FUZZ_SECONDS:-30} s"
corpus="$(mktemp -d)"
trap 'rm -rf "$corpus"' EXIT
build/native/tests/fuzz/tavrin_xml_fuzz -max_total_time="${TAVRIN_FUZZ_SECONDS:-30}" -print_final_stats=1 \
    "$corpus" tests/fuzz/corpus 2>&1 | grep -E '^(stat::number_of_executed_units|Done|==.*ERROR)' || true
[ "${PIPESTATUS[0]}" -eq 0 ]

echo "== mingw: Windows build under Wine"
cmake --preset mingw -Wno-dev >/dev/null
cmake --build --preset mingw
export WINEPREFIX="$PWD/build/mingw/wineprefix"
# A prefix's wineserver keeps the display it first ran on: stop it before a new Xvfb.
wineserver -k 2>/dev/null || true
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset mingw || status=$?
wineserver -k 2>/dev/null || true

echo "== mingw: screenshots of the notification area (build/mingw/artifacts)"
xvfb-run -a -s "-screen 0 1280x1024x24" tools/tray-screenshots.sh build/mingw || status=$?
exit "$status"
