#!/usr/bin/env bash
# Two machines on one program folder: two-copies-test.sh <tavrin.exe> [rounds]
# (default 40; 5 is the short run). Two Wine prefixes, each with a wineserver
# and an Xvfb of its own, are two machines with the same user; both start
# tavrin.exe from one folder, so both use one settings file. Each round has
# two parts, each with both copies started afresh:
#  - clicks: three times a click on a button in both copies at the same moment
#    (the first time on the same button), then both close at once. Every start
#    must be counted: each button's count goes up by the clicks on it, and no
#    button is lost.
#  - a tab move in one copy while the other turns "Always On Top" on or off
#    from its system menu, then both close. The move must be there whole and
#    no button lost.
# After a part that lost something the script puts the file back as it
# should be, so that each part counts on its own. The figures are printed at
# the end; the exit status is 1 when anything was lost. FAULT_SEED=<n>
# repeats a run's choices. The log and the figures go to build/fault/two-copies/.
set -euo pipefail
tools=$(cd "$(dirname "$0")" && pwd)
. "$tools/lib.sh"
. "$tools/drive-lib.sh"

fail() {
    echo "two-copies-test.sh: $*" >&2
    exit 2
}
read_program_arguments rounds 40 "$@"
rounds="$count"

export WINEDEBUG=-all
declare -A prefix display pid window
copies="a b"
mkdir -p "$root/build/fault"
# One run at a time: each stops the prefixes' servers, which another run's programs need.
exec 8>"$root/build/fault/two-copies.run-lock"
flock -n 8 || fail "another two-copies-test.sh runs"
out="$root/build/fault/two-copies"
rm -rf "$out"
mkdir -p "$out"
log="$out/run.log"
export DRIVE_LOG="$out/xdotool.log"
for copy in $copies; do
    prefix[$copy]="$root/build/fault/wineprefix-$copy"
    "$tools/wine-prefix.sh" "${prefix[$copy]}" --unmanaged
    # A server still running keeps the display of an earlier run.
    stop_wineserver "${prefix[$copy]}"
done

home=$(mktemp -d)
xvfbs=""
cleanup() {
    local copy server
    for copy in $copies; do stop_wineserver "${prefix[$copy]}"; done
    for server in $xvfbs; do kill "$server" || echo "two-copies-test.sh: Xvfb $server had ended already" >&2; done
    rm -rf "$home"
}
trap cleanup EXIT
# A prefix's wineserver keeps the display of its first program: one Xvfb each.
for copy in $copies; do
    start_xvfb "$out/display-$copy"
    xvfbs="$xvfbs $xvfb_pid"
    display[$copy]=":$(cat "$out/display-$copy")"
done

make_program_folder "$home"
echo "two-copies-test.sh: $rounds rounds of $exe (seed $seed) on displays ${display[a]} and ${display[b]}, log: $log"

# on <copy> <command...>: the command with the copy's display and prefix.
on() {
    local copy="$1"
    shift
    DISPLAY="${display[$copy]}" WINEPREFIX="${prefix[$copy]}" "$@"
}

# start_both: starts tavrin.exe on both machines at once and waits for both
# main windows; fails with the reason when one does not come.
start_both() {
    local copy
    for copy in $copies; do
        # Started without a function between, so that $! is the Wine process itself.
        DISPLAY="${display[$copy]}" WINEPREFIX="${prefix[$copy]}" wine "$program" >>"$out/wine-$copy.log" 2>&1 &
        pid[$copy]=$!
        window[$copy]=""
    done
    for copy in $copies; do
        shown() { window[$copy]=$(on "$copy" main_window "${pid[$copy]}"); }
        if ! wait_until 30 shown; then
            why="copy $copy showed no main window within 30 s"
            on "$copy" other_window "${pid[$copy]}" >>"$log" && why="copy $copy showed a message box"
            process_ended "${pid[$copy]}" && why="copy $copy ended without a window"
            return 1
        fi
    done
    local running
    running=$(program_pid "$program")
    for copy in $copies; do
        grep -qx "${pid[$copy]}" <<<"$running" ||
            fail "the Wine processes of tavrin.exe are $(tr '\n' ' ' <<<"$running"), not the process ${pid[$copy]} that the script started"
    done
}

# end_both [part]: waits up to 30 s for both programs to end and reaps them.
# One that does not end is recorded for the part (with a message box of its
# own on the display or without), its display kept in a picture, and killed.
# Sets ends to the exit statuses.
end_both() {
    local copy status picture
    ends=""
    for copy in $copies; do
        status=0
        gone_or_box() { process_ended "${pid[$copy]}" || on "$copy" other_window "${pid[$copy]}" >>"$log"; }
        if ! wait_until 30 gone_or_box || ! process_ended "${pid[$copy]}"; then
            picture="$out/round-$round-$copy.png"
            on "$copy" import -window root "$picture" || echo "no picture of the display of copy $copy was taken" >&2
            if on "$copy" other_window "${pid[$copy]}" >>"$log"; then
                # The program reports an error in a box, which keeps it from closing.
                settings note "$stats" copies_box "round $round, ${1:-}: copy $copy showed a message box (${picture##*/})"
            else
                settings note "$stats" copies_hung "round $round, ${1:-}: copy $copy did not end within 30 s of its Close (${picture##*/})"
            fi
            kill -9 "${pid[$copy]}" 2>>"$log" || true  # it may have ended just now
        fi
        wait "${pid[$copy]}" 2>>"$log" || status=$?  # bash tells of a kill there
        ends="$ends $copy:$status"
    done
}

# close_both <part>: closes both copies at once from their system menus and waits for them to end.
close_both() {
    local close_a close_b
    close_window a &
    close_a=$!
    close_window b &
    close_b=$!
    wait "$close_a" || echo "round $round: the system menu of copy a did not open within 10 s" | tee -a "$log"
    wait "$close_b" || echo "round $round: the system menu of copy b did not open within 10 s" | tee -a "$log"
    end_both "$1"
}

# member <tab> <slot>: the description of the button the model has there.
member() {
    python3 -c 'import json, sys; m = json.load(open(sys.argv[1])); print(m["members"][m["tabs"][int(sys.argv[2]) - 1]][int(sys.argv[3]) - 1])' \
        "$model" "$1" "$2"
}

last_event() {
    python3 -c 'import json, sys; events = json.load(open(sys.argv[1]))["events"]; print(events[-1] if events else "")' "$1"
}

# click_button <copy> <tab 1-5> <slot>
click_button() {
    # shellcheck disable=SC2046
    on "$1" click_at "${window[$1]}" $(tab_point "$2")
    # shellcheck disable=SC2046
    on "$1" click_at "${window[$1]}" $(cell_point "$3")
}

# close_window <copy>: "Close" from the system menu, which sends WM_CLOSE as
# Alt+F4 does, whether the window has the keyboard focus or not; fails when
# the menu does not open.
close_window() {
    wait_until 10 on "$1" no_menu "${pid[$1]}" || return 1
    # shellcheck disable=SC2086
    open_menu "$1" $TAVRIN_ICON_POINT 1 || return 1
    on "$1" xdotool key c
}

# open_menu <copy> <x y> <button>: a click that opens a popup menu, and the wait for it.
open_menu() {
    local copy="$1" shown
    shown=$(on "$copy" visible_count "${pid[$copy]}")
    on "$copy" click_at "${window[$copy]}" "$2" "$3" "$4"
    wait_until 10 on "$copy" menu_open "${pid[$copy]}" "$shown"
}


# after_start: both copies started on a file that must still be whole.
after_start() {
    local verdict
    verdict=$(settings check "$folder" "$model" "$stats" start '{}')
    [ "$verdict" = "ok" ] && return 0
    echo "round $round: the starts left the settings file wrong: $(last_event "$stats")" | tee -a "$log"
    return 1
}

# give_up <part>: the part could not be done; both copies are ended and the file put back.
give_up() {
    local copy
    echo "round $round, $1: $why" | tee -a "$log"
    settings note "$stats" parts_not_done "round $round, $1: $why"
    for copy in $copies; do kill -9 "${pid[$copy]}" 2>>"$log" || true; done
    end_both
    settings write "$folder" "$model"
}

# option_is <name> <value>: the file's option has the value.
option_is() {
    [ "$(settings option "$folder" "$1" 2>>"$log")" = "$2" ]
}

# The total of all counts in the file: the clicks part waits for it to reach
# what it should before it closes the copies.
total_is() {
    [ "$(settings total "$folder" 2>>"$log")" = "$1" ]
}

round=0 started_at=$SECONDS
while [ "$round" -lt "$rounds" ]; do
    round=$((round + 1))

    # Clicks in both copies at the same moment.
    if ! start_both; then give_up clicks; continue; fi
    if ! after_start; then why="the starts changed the file"; give_up clicks; continue; fi
    clicked=() before=$(settings total "$folder")
    for pair in 1 2 3; do
        rm -f "$folder"/started/*
        # Tabs 1 to 4 only: selecting the fifth, which the strip shows cut off,
        # scrolls the strip, and the next click on a tab would hit its neighbour.
        tab_a=$((1 + RANDOM % 4)) slot_a=$((1 + RANDOM % 20))
        if [ "$pair" -eq 1 ]; then
            tab_b=$tab_a slot_b=$slot_a
        else
            tab_b=$((1 + RANDOM % 4)) slot_b=$((1 + RANDOM % 20))
        fi
        button_a=$(member "$tab_a" "$slot_a") button_b=$(member "$tab_b" "$slot_b")
        click_button a "$tab_a" "$slot_a" &
        clicks_a=$!
        click_button b "$tab_b" "$slot_b" &
        clicks_b=$!
        wait "$clicks_a" || fail "xdotool could not click in copy a"
        wait "$clicks_b" || fail "xdotool could not click in copy b"
        clicked+=("$button_a" "$button_b")
        started() { [ -f "$folder/started/${button_a#Button }.txt" ] && [ -f "$folder/started/${button_b#Button }.txt" ]; }
        wait_until 15 started || echo "round $round: the clicks on $button_a and $button_b started no program within 15 s" | tee -a "$log"
    done
    expected=$((before + ${#clicked[@]}))
    wait_until 3 total_is "$expected" || echo "round $round: 3 s after the clicks the file counts $(settings total "$folder") starts, not $expected" >>"$log"
    close_both clicks
    list=$(printf '"%s", ' "${clicked[@]}")
    verdict=$(settings check "$folder" "$model" "$stats" copies \
        "{\"kind\": \"clicks\", \"exact\": true, \"clicks\": [${list%, }], \"text\": \"6 clicks in two copies\"}")
    echo "round $round: clicks on ${clicked[*]}; ended$ends: $verdict" >>"$log"
    [ "${verdict%% *}" = "ok" ] || { echo "round $round, clicks: $(last_event "$stats")" >>"$log"; settings write "$folder" "$model"; }

    # A tab move in copy a while copy b turns Always On Top on or off.
    if ! start_both; then give_up move; continue; fi
    if ! after_start; then why="the starts changed the file"; give_up move; continue; fi
    tab=$((1 + RANDOM % 5))
    if [ "$tab" -eq 1 ] || [ $((RANDOM % 2)) -eq 0 ]; then step=1; else step=-1; fi
    if [ "$(settings option "$folder" AlwaysOnTop)" = "1" ]; then on_top=0; else on_top=1; fi
    # shellcheck disable=SC2046
    if ! open_menu a $(tab_point "$tab") 3; then why="the tab menu of copy a did not open within 10 s"; give_up move; continue; fi
    # shellcheck disable=SC2086
    if ! open_menu b $TAVRIN_ICON_POINT 1; then why="the system menu of copy b did not open within 10 s"; give_up move; continue; fi
    # Show Tavrin Tab, then Move Tab left and Move Tab right; from the end of the
    # system menu: About, Tavrin Home, Options, the report, Show Tavrin Tab, Always On Top.
    if [ "$step" -lt 0 ]; then keys="Down Down Return"; else keys="Down Down Down Return"; fi
    delay=$((RANDOM % 401))
    # shellcheck disable=SC2086
    on a xdotool key $keys &
    move_keys=$!
    sleep "$(printf '0.%03d' "$delay")"
    on b xdotool key Up Up Up Up Up Up Return
    wait "$move_keys" || fail "xdotool could not press keys in copy a"
    # A menu still open did not take its keys: the part did not happen.
    why=""
    for copy in $copies; do
        wait_until 10 on "$copy" no_menu "${pid[$copy]}" || why="a menu of copy $copy stayed open for 10 s after its keys"
    done
    if [ -n "$why" ]; then give_up move; continue; fi
    # Copy b saves its choice as it makes it; copy a's move must not undo that.
    if wait_until 3 option_is AlwaysOnTop "$on_top"; then
        toggle="kept"
    else
        toggle="lost"
        settings note "$stats" options_lost "round $round: copy b turned Always On Top to $on_top, and 3 s later the file says $(settings option "$folder" AlwaysOnTop 2>&1)"
    fi
    # Both close once the move is done: copy a takes the keys only after it.
    close_both move
    verdict=$(settings check "$folder" "$model" "$stats" copies \
        "{\"kind\": \"move\", \"exact\": true, \"a\": $tab, \"b\": $((tab + step)), \"text\": \"a move of tab $tab by $step beside Always On Top\"}")
    echo "round $round: move of tab $tab by $step, Always On Top to $on_top $delay ms later ($toggle); ended$ends: $verdict" >>"$log"
    [ "${verdict%% *}" = "ok" ] || { echo "round $round, move: $(last_event "$stats")" >>"$log"; settings write "$folder" "$model"; }
    if [ $((round % 5)) -eq 0 ]; then
        echo "two-copies-test.sh: $round of $rounds rounds, $((SECONDS - started_at)) s"
    fi
done
echo "two-copies-test.sh: $round rounds in $((SECONDS - started_at)) s against $exe (seed $seed)" >"$out/figures.txt"
status=0
settings report "$stats" >>"$out/figures.txt" || status=$?
cat "$out/figures.txt"
echo "figures: $out/figures.txt; every round: $log"
exit "$status"
