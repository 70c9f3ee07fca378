#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds tavrin.exe and starts it under Wine from
# its program folder ($TAVRIN_HOME, default ~/Tavrin), where it keeps its files.
# With a display it runs there until closed; without one it runs on a Wine
# desktop with a taskbar under Xvfb, writes a screenshot of that desktop to
# build/screenshots/tavrin.png and closes again.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/lib.sh
tools/setup.sh
logged build/mingw-configure.log "configuring the mingw build" cmake --preset mingw -Wno-dev
cmake --build --preset mingw --target tavrin

home="${TAVRIN_HOME:-$HOME/Tavrin}"
mkdir -p "$home"
home="$(cd "$home" && pwd)"
cp build/mingw/src/tavrin.exe "$home/tavrin.exe"
export WINEPREFIX="$PWD/build/mingw/wineprefix-run" WINEDEBUG=-all
tools/wine-prefix.sh "$WINEPREFIX"
stop_wineserver "$WINEPREFIX"

if [ -n "${DISPLAY:-}" ]; then
    exec wine "$home/tavrin.exe"
fi

# Wine's virtual desktop has a taskbar with a notification area only when its
# name is "shell" or the registry turns the shell on for it.
if ! grep -qsF '[Software\\Wine\\Explorer\\Desktops\\Tavrin]' "$WINEPREFIX/user.reg"; then
    logged "$WINEPREFIX.log.shell" "turning on the taskbar of the Wine desktop" \
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops\Tavrin' /v EnableShell /t REG_DWORD /d 1 /f
    wineserver -w
fi

mkdir -p build/screenshots
screenshot="$PWD/build/screenshots/tavrin.png"
program="Z:${home//\//\\}\\tavrin.exe"
status=0
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    . tools/lib.sh
    desktop="/desktop=Tavrin,1024x768"
    wine explorer "$desktop" "$1" &
    shown() { xdotool search --onlyvisible --name "^Tavrin\$" >/dev/null; }
    status=0
    if wait_until 30 shown; then
        sleep 2  # the window paints and the tray icon joins the taskbar
        import -window root "$2" || { echo "no screenshot of the Wine desktop was taken" >&2; status=1; }
    else
        echo "the Tavrin window did not appear within 30 s" >&2
        status=1
    fi
    # taskkill asks the windows of its own desktop to close, so it runs on the Tavrin desktop.
    logged "$3" "closing Tavrin" timeout 30 wine explorer "$desktop" taskkill /im tavrin.exe || status=1
    # The desktop closes once the program has ended.
    desktop_gone() { ! jobs -r | grep -q .; }
    wait_until 30 desktop_gone || { echo "the Wine desktop did not close within 30 s" >&2; status=1; }
    stop_wineserver "$WINEPREFIX"  # before Xvfb goes, so that no Wine process loses its display
    exit "$status"
' _ "$program" "$screenshot" "$PWD/build/screenshots/taskkill.log" || status=$?
stop_wineserver "$WINEPREFIX"
[ "$status" -ne 0 ] || echo "screenshot: $screenshot"
exit "$status"
