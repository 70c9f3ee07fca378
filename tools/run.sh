#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds tavrin.exe and starts it under Wine from
# its program folder ($TAVRIN_HOME, default ~/Tavrin), where it keeps its files.
# With a display it runs there until closed; without one it runs under Xvfb,
# writes a screenshot to build/screenshots/tavrin.png and closes again.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake --preset mingw -Wno-dev >/dev/null
cmake --build --preset mingw --target tavrin

home="${TAVRIN_HOME:-$HOME/Tavrin}"
mkdir -p "$home"
cp build/mingw/src/tavrin.exe "$home/tavrin.exe"
export WINEPREFIX="$PWD/build/mingw/wineprefix-run" WINEDEBUG=-all
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    WINEDLLOVERRIDES="mscoree,mshtml=" wine wineboot -i >/dev/null 2>&1
fi
wineserver -k 2>/dev/null || true

if [ -n "${DISPLAY:-}" ]; then
    exec wine "$home/tavrin.exe"
fi

mkdir -p build/screenshots
screenshot="$PWD/build/screenshots/tavrin.png"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    wine "$1/tavrin.exe" &
    for _ in $(seq 60); do
        xwininfo -root -tree | grep -q "\"Tavrin\"" && break
        sleep 0.5
    done
    sleep 2
    import -window root "$2"
    wine taskkill /im tavrin.exe >/dev/null 2>&1 || true
    wait
' _ "$home" "$screenshot"
wineserver -k 2>/dev/null || true
echo "screenshot: $screenshot"
