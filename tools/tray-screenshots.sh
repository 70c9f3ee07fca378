#!/usr/bin/env bash
# Screenshots of tavrin.exe in the notification area of a Wine desktop with a
# taskbar, as a user sees it: the tray menu open, the balloon of a second
# start, the window hidden and shown by clicks on the icon; then "Close" from
# the menu. Run inside xvfb-run with the build folder as argument; the
# pictures go to <build>/artifacts.
set -u
build=$(cd "$1" && pwd)
out="$build/artifacts"
mkdir -p "$out"
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all
home=$(mktemp -d)
trap 'wineserver -k 2>/dev/null; rm -rf "$home"' EXIT
cp "$build/src/tavrin.exe" "$home/"
program="Z:${home//\//\\}\\tavrin.exe"
wine explorer /desktop=shell,1024x768 "$program" &
desk=""
for _ in $(seq 60); do
    desk=$(xdotool search --name "Wine desktop" 2>/dev/null | head -1)
    [ -n "$desk" ] && break
    sleep 1
done
[ -n "$desk" ] || { echo "no Wine desktop appeared"; exit 1; }
sleep 10
# The notification area sits at the right end of the taskbar; Tavrin's icon is the newest, rightmost.
xdotool mousemove --window "$desk" 1012 758 click 3
sleep 3
import -window "$desk" "$out/tray-menu.png"
xdotool mousemove --window "$desk" 300 300 click 1
sleep 2
timeout 60 wine explorer /desktop=shell,1024x768 "$program"
sleep 4  # the shell shows the balloon after a moment
import -window "$desk" "$out/tray-balloon.png"
xdotool mousemove --window "$desk" 1012 758 click 1
sleep 3
import -window "$desk" "$out/tray-hidden.png"
xdotool mousemove --window "$desk" 1012 758 click 1
sleep 3
import -window "$desk" "$out/tray-shown-again.png"
echo "tray screenshots: $out/tray-*.png"
