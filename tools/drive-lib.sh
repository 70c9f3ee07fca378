# Shell functions of the scripts that drive a real tavrin.exe from outside with
# xdotool (tools/fault-test.sh, tools/two-copies-test.sh). Source it after
# lib.sh. Each function works on the X display in $DISPLAY. xdotool's
# complaints about windows that closed while it looked at them go to the file
# $DRIVE_LOG when it is set.
#
# Where things are, in pixels from the top-left corner of the main window's X
# window at 96 DPI. Xvfb runs no window manager, so Wine draws the frame (3 px)
# and the caption (18 px) inside the window itself: the client area starts at
# 3,21. The tab strip fills the first 22 px of it, and the group page's cells
# (34 px, two rows of ten, as in src/rules/GridGeometry.h) start 4 px further
# right, at 7,43. Wine's tab control gives each tab at least 54 px, so the
# strip shows the Tavrin Tab ("Top" here) and five group tabs before its
# scroll arrows; the centres of those six tabs follow. The fifth group tab is
# cut off by the arrows: selecting it scrolls the strip by one tab, after
# which these centres are one tab off until the program starts again.
# read_program_arguments <what> <default> <tavrin.exe> [<count>]: checks the
# arguments of a driving script and sets exe (absolute), count (of <what>, a
# positive number), root (the project folder) and child (the tests' child, which
# the buttons start: it writes a marker file and ends). Stops through the
# script's fail when something is wrong.
read_program_arguments() {
    local what="$1" default="$2"
    shift 2
    [ "$#" -ge 1 ] && [ "$#" -le 2 ] || fail "usage: ${0##*/} <tavrin.exe> [$what]"
    exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
    [ -f "$exe" ] || fail "$1 does not exist"
    count="${2:-$default}"
    [[ "$count" =~ ^[0-9]+$ ]] && [ "$count" -gt 0 ] || fail "the number of $what must be a positive number, not $count"
    root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    child="${TAVRIN_TEST_CHILD:-$root/build/mingw/tests/tavrin_test_child.exe}"
    [ -f "$child" ] || fail "no test child $child: build it (cmake --build --preset mingw) or name one in TAVRIN_TEST_CHILD"
}

readonly TAVRIN_WINDOW_SIZE="354x142"
readonly TAVRIN_CELLS_LEFT=7 TAVRIN_CELLS_TOP=43 TAVRIN_CELL=34
readonly TAVRIN_TAB_Y=32
readonly -a TAVRIN_TAB_X=(31 85 140 193 247 295)
# The caption's icon, which opens the system menu.
readonly TAVRIN_ICON_POINT="11 11"

# cell_point <slot 1-20>: "x y" of the middle of a cell of the group page shown.
cell_point() {
    local index=$(($1 - 1))
    echo "$((TAVRIN_CELLS_LEFT + (index % 10) * TAVRIN_CELL + TAVRIN_CELL / 2))" \
        "$((TAVRIN_CELLS_TOP + (index / 10) * TAVRIN_CELL + TAVRIN_CELL / 2))"
}

# tab_point <tab 0-5>: "x y" of the middle of a tab; 0 is the Tavrin Tab.
tab_point() {
    echo "${TAVRIN_TAB_X[$1]}" "$TAVRIN_TAB_Y"
}

# settings <command> ...: fault_settings.py, which writes and checks the settings files.
settings() { python3 "$tools/fault_settings.py" "$@"; }

# make_program_folder <home>: the program folder <home>/program with tavrin.exe
# ($exe), the child program ($child) and a settings file of the model in $out
# (sets folder, program, model, stats), and the random seed, FAULT_SEED or a
# new one (sets seed and RANDOM).
make_program_folder() {
    folder="$1/program"
    mkdir -p "$folder/started"
    cp "$exe" "$folder/tavrin.exe"
    cp "$child" "$folder/child.exe"
    program=$(windows_path "$folder/tavrin.exe")
    model="$out/model.json" stats="$out/stats.json"
    settings make "$folder" "$model" "$(windows_path "$folder/child.exe")" "$(windows_path "$folder/started")"
    seed="${FAULT_SEED:-$(od -An -N2 -tu2 /dev/urandom | tr -d ' ')}"
    RANDOM=$seed
}

# windows_path <unix path>: the path as Wine's Z: drive names it.
windows_path() {
    echo "Z:${1//\//\\}"
}

# program_pid <windows path of the exe>: the Unix PID of the Wine process
# running that exe (its command line is the Windows path), or nothing.
program_pid() {
    local pattern
    pattern=$(printf '%s' "$1" | sed 's/[][\.*^$()+?{}|]/\\&/g')
    pgrep -f -x -- "$pattern" || true
}

# main_window <pid>: the visible X window of the process captioned "Tavrin"
# and of the main window's size; fails when there is none (yet). A message
# box of the program is captioned "Tavrin" too, but has another size.
main_window() {
    local window
    for window in $(xdotool search --all --onlyvisible --pid "$1" --name '^Tavrin$' 2>>"${DRIVE_LOG:-/dev/stderr}" || true); do
        if [ "$(window_size "$window")" = "$TAVRIN_WINDOW_SIZE" ]; then
            echo "$window"
            return 0
        fi
    done
    return 1
}

# other_window <pid>: a visible window of the process captioned "Tavrin" that
# is not the main window: a message box.
other_window() {
    local window
    for window in $(xdotool search --all --onlyvisible --pid "$1" --name '^Tavrin$' 2>>"${DRIVE_LOG:-/dev/stderr}" || true); do
        if [ "$(window_size "$window")" != "$TAVRIN_WINDOW_SIZE" ]; then
            echo "$window"
            return 0
        fi
    done
    return 1
}

# window_size <window>: "WIDTHxHEIGHT" of an X window.
window_size() {
    xdotool getwindowgeometry "$1" 2>>"${DRIVE_LOG:-/dev/stderr}" | sed -n 's/^ *Geometry: //p'
}

# visible_count <pid>: how many visible X windows the process has (a popup
# menu is one more).
visible_count() {
    local windows
    windows=$(xdotool search --onlyvisible --pid "$1" 2>>"${DRIVE_LOG:-/dev/stderr}" || true)
    wc -w <<<"$windows"
}

# menu_open <pid> <count without it>: a popup menu of the process is shown.
menu_open() {
    [ "$(visible_count "$1")" -gt "$2" ]
}

# no_menu <pid>: the process shows its main window only.
no_menu() {
    [ "$(visible_count "$1")" -le 1 ]
}

# click_at <window> <x y> [button]: a click at a point of the window.
click_at() {
    local window="$1" x="$2" y="$3" button="${4:-1}"
    xdotool mousemove --window "$window" "$x" "$y" click "$button"
}

# process_ended <pid>: the process is gone or has ended and waits to be reaped.
process_ended() {
    local state
    state=$(awk '{ print $3 }' "/proc/$1/stat" 2>&1) || return 0
    [ "$state" = "Z" ]
}

# start_xvfb <file for its display number>: starts an X server of its own on a
# free display number, which it writes to the file once it accepts clients.
# Sets xvfb_pid. Fails when no display came up within 20 s.
start_xvfb() {
    local number_file="$1"
    : >"$number_file"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >>"$number_file.log" 2>&1 &
    xvfb_pid=$!
    xvfb_up() { [ -s "$number_file" ] && xdpyinfo -display ":$(cat "$number_file")" >>"$number_file.log" 2>&1; }
    if ! wait_until 20 xvfb_up; then
        echo "${0##*/}: Xvfb did not come up within 20 s; its log $number_file.log says:" >&2
        tail -n 10 "$number_file.log" | sed 's/^/    /' >&2
        return 1
    fi
}
