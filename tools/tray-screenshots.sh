#!/usr/bin/env bash
# Screenshots of tavrin.exe in the notification area of a Wine desktop with a
# taskbar, as a user sees it: the tray menu open, the balloon of a second
# start, the window hidden and shown by clicks on the icon. Run inside xvfb-run
# with the build folder as argument; the pictures go to <build>/artifacts. It
# fails when a step does not happen or a picture is not taken.
#
# The desktop is drawn into one X window, so the script cannot ask X where
# Wine's windows are: it finds the tray icon as the part of the taskbar that
# changed when Tavrin started, and waits for each step by watching the picture
# change and then settle.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
build=$(cd "$1" && pwd)
out="$build/artifacts"
mkdir -p "$out"
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all
"$(dirname "$0")/wine-prefix.sh" "$WINEPREFIX" --unmanaged
home=$(mktemp -d)
work="$home/pictures"
mkdir "$work"
trap 'stop_wineserver "$WINEPREFIX"; rm -rf "$home"' EXIT
cp "$build/src/tavrin.exe" "$home/"
program="Z:${home//\//\\}\\tavrin.exe"
desktop_size=1024x768
width=${desktop_size%x*} height=${desktop_size#*x}

fail() {
    echo "tray-screenshots.sh: $*" >&2
    exit 1
}

# picture <file>: a picture of the Wine desktop.
picture() {
    import -window "$desk" "$1" || fail "no picture of the Wine desktop could be taken (import failed)"
}

# same <a> <b>: the two pictures are identical.
same() {
    local difference
    difference=$(compare -metric AE "$1" "$2" null: 2>&1) && return 0
    [[ "$difference" =~ ^[0-9.e+]+$ ]] || fail "compare failed: $difference"
    return 1
}

# settled <file> [<unlike>]: waits until the desktop stops changing (two pictures
# in a row the same) and, with <unlike>, differs from that picture; leaves the
# last picture in <file>. Fails after 20 s.
settled() {
    local file="$1" unlike="${2:-}" previous="$work/previous.png" deadline=$((SECONDS + 20))
    picture "$previous"
    while :; do
        sleep 0.3
        picture "$file"
        if same "$previous" "$file" && { [ -z "$unlike" ] || ! same "$unlike" "$file"; }; then
            return 0
        fi
        [ "$SECONDS" -lt "$deadline" ] || return 1
        mv "$file" "$previous"
    done
}

# The desktop alone first, to tell the icon from the taskbar it joins.
wine explorer /desktop=shell,$desktop_size &
desk=""
find_desktop() { desk=$(xdotool search --name "Wine desktop" | head -1) && [ -n "$desk" ]; }
wait_until 60 find_desktop || fail "no Wine desktop appeared within 60 s"
settled "$work/empty.png" || fail "the Wine desktop did not settle within 20 s"

timeout 60 wine explorer /desktop=shell,$desktop_size "$program" &
settled "$work/started.png" "$work/empty.png" || fail "Tavrin did not appear on the desktop within 20 s"
# The taskbar starts below the last row of the desktop's own colour in the middle column.
taskbar_top=$(convert "$work/empty.png" -crop "1x$((height / 2))+$((width / 2))+$((height / 2))" txt:- |
              awk -v top=$((height / 2)) 'NR == 2 { desktop = $3 } NR > 1 && $3 == desktop { split($1, at, ","); last = at[2] }
                                          END { print top + last + 1 }') || fail "the taskbar could not be found"
[ "$taskbar_top" -lt "$height" ] || fail "no taskbar found at the bottom of the Wine desktop"
# The icon: what changed in the right half of the taskbar when Tavrin started.
band="$((width / 2))x$((height - taskbar_top))+$((width / 2))+$taskbar_top"
box=$(convert "$work/empty.png" "$work/started.png" -crop "$band" +repage -compose difference -composite \
      -threshold 10% -format '%@' info:) || fail "the taskbar pictures could not be compared"
[[ "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] && [ "${BASH_REMATCH[1]}" -lt 48 ] ||
    fail "no tray icon found in the taskbar (changed region: $box)"
icon_x=$((width / 2 + BASH_REMATCH[3] + BASH_REMATCH[1] / 2))
icon_y=$((taskbar_top + BASH_REMATCH[4] + BASH_REMATCH[2] / 2))
echo "tray icon at $icon_x,$icon_y"

xdotool mousemove --window "$desk" "$icon_x" "$icon_y" click 3
settled "$out/tray-menu.png" "$work/started.png" || fail "the tray menu did not open within 20 s"
xdotool mousemove --window "$desk" 300 300 click 1
settled "$work/menu-closed.png" "$out/tray-menu.png" || fail "the tray menu did not close within 20 s"

timeout 60 wine explorer /desktop=shell,$desktop_size "$program" ||
    fail "the second start of tavrin.exe did not end by itself"
settled "$out/tray-balloon.png" "$work/menu-closed.png" || fail "no balloon appeared within 20 s"

xdotool mousemove --window "$desk" "$icon_x" "$icon_y" click 1
settled "$out/tray-hidden.png" "$out/tray-balloon.png" || fail "a click on the icon did not hide the window"
xdotool mousemove --window "$desk" "$icon_x" "$icon_y" click 1
settled "$out/tray-shown-again.png" "$out/tray-hidden.png" || fail "a second click on the icon did not show it"
echo "tray screenshots: $out/tray-*.png"
