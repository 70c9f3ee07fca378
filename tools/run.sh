#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds tavrin.exe and starts it under Wine from
# its program folder ($TAVRIN_HOME, default ~/Tavrin), where it keeps its files.
# With a display it runs there until closed; without one it runs on a Wine
# desktop with a taskbar under Xvfb, writes a screenshot of that desktop to
# build/screenshots/tavrin.png and closes again.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake --preset mingw -Wno-dev >/dev/null
cmake --build --preset mingw --target tavrin

home="${TAVRIN_HOME:-$HOME/Tavrin}"
mkdir -p "$home"
home="$(cd "$home" && pwd)"
cp build/mingw/src/tavrin.exe "$home/tavrin.exe"
export WINEPREFIX="$PWD/build/mingw/wineprefix-run" WINEDEBUG=-all
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    WINEDLLOVERRIDES="mscoree,mshtml=" wine wineboot -i >/dev/null 2>&1
fi
wineserver -k 2>/dev/null || true

if [ -n "${DISPLAY:-}" ]; then
    exec wine "$home/tavrin.exe"
fi

# Wine's virtual desktop has a taskbar with a notification area only when its
# name is "shell" or the registry turns the shell on for it.
if ! grep -qsF '[Software\\Wine\\Explorer\\Desktops\\Tavrin]' "$WINEPREFIX/user.reg"; then
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops\Tavrin' /v EnableShell /t REG_DWORD /d 1 /f >/dev/null 2>&1
    wineserver -w
fi

mkdir -p build/screenshots
screenshot="$PWD/build/screenshots/tavrin.png"
program="Z:${home//\//\\}\\tavrin.exe"
status=0
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    desktop="/desktop=Tavrin,1024x768"
    wine explorer "$desktop" "$1" &
    shown=1
    for _ in $(seq 60); do
        xdotool search --onlyvisible --name "^Tavrin\$" >/dev/null 2>&1 && { shown=0; break; }
        sleep 0.5
    done
    [ "$shown" -eq 0 ] || echo "the Tavrin window did not appear" >&2
    sleep 2  # the window paints and the tray icon joins the taskbar
    import -window root "$2"
    # taskkill asks the windows of its own desktop to close, so it runs on the Tavrin desktop.
    timeout 30 wine explorer "$desktop" taskkill /im tavrin.exe >/dev/null 2>&1 || true
    # The desktop closes once the program has ended.
    for _ in $(seq 60); do
        jobs -r | grep -q . || break
        sleep 0.5
    done
    wineserver -k 2>/dev/null  # before Xvfb goes, so that no Wine process loses its display
    exit "$shown"
' _ "$program" "$screenshot" || status=$?
wineserver -k 2>/dev/null || true
echo "screenshot: $screenshot"
exit "$status"
