#!/usr/bin/env bash
# Kills a real tavrin.exe at random moments and checks that it never loses a
# saved button or count: fault-test.sh <tavrin.exe> [kills] (default 300;
# 20 is the short run). It runs under an Xvfb of its own.
#
# A program folder in a temporary folder gets the exe, the test child as the
# buttons' command and a settings file of ten tabs of twenty buttons with
# non-zero counts. Each round starts tavrin.exe, does one action (a click on a
# button, a tab move from the tab menu, or Close from the system menu), kills the
# Wine process with SIGKILL 0-300 ms after it, and checks the folder: the
# settings file is there and parses, every button is there once with its
# command, each count is its old value or one more for the button clicked,
# and each tab holds the buttons of the group named there. The next start is
# checked too: it must find or recover every button. After a round that lost
# something the script puts the file back as it should be, so that each
# round counts on its own. The figures are printed at the end; the exit
# status is 1 when anything was lost. FAULT_SEED=<n> repeats a run's choices.
# The log, the figures and the files of the first losses go to
# build/fault/fault-test/.
set -euo pipefail
tools=$(cd "$(dirname "$0")" && pwd)
if [ -z "${TAVRIN_FAULT_XVFB:-}" ]; then
    TAVRIN_FAULT_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
. "$tools/lib.sh"
. "$tools/drive-lib.sh"

fail() {
    echo "fault-test.sh: $*" >&2
    exit 2
}
read_program_arguments kills 300 "$@"
kills="$count"

export WINEPREFIX="$root/build/fault/wineprefix" WINEDEBUG=-all
mkdir -p "$root/build/fault"
# One run at a time: each stops the prefix's server, which another run's program needs.
exec 8>"$WINEPREFIX.run-lock"
flock -n 8 || fail "another fault-test.sh runs in $WINEPREFIX"
out="$root/build/fault/fault-test"
rm -rf "$out"
mkdir -p "$out/evidence"
log="$out/run.log"
export DRIVE_LOG="$out/xdotool.log"
"$tools/wine-prefix.sh" "$WINEPREFIX" --unmanaged
# The server may still hold the display of an earlier run.
stop_wineserver "$WINEPREFIX"

home=$(mktemp -d)
trap 'stop_wineserver "$WINEPREFIX"; rm -rf "$home"' EXIT
make_program_folder "$home"
echo "fault-test.sh: $kills kills of $exe (seed $seed), log: $log"

pid="" window=""
# start: starts tavrin.exe and waits for its main window (sets pid, window)
# or a message box (sets box); fails with a reason when neither comes.
start() {
    wine "$program" >>"$out/wine.log" 2>&1 &
    pid=$!
    window="" box=""
    up() {
        window=$(main_window "$pid") && return 0
        box=$(other_window "$pid") && return 0
        process_ended "$pid" && return 0
        return 1
    }
    if ! wait_until 30 up; then
        echo "no window of tavrin.exe within 30 s" >&2
        return 1
    fi
    local found
    found=$(program_pid "$program")
    if [ -n "$found" ] && [ "$found" != "$pid" ]; then
        fail "the Wine process of tavrin.exe is $found, not the process $pid that the script started"
    fi
}

# stop <delay in ms>: kills the program that many milliseconds from now (unless
# it ended first) and reaps it; sets ended to "killed" or "exited <status>".
stop() {
    local ms="$1" status=0
    [ "$ms" -eq 0 ] || sleep "$(printf '%d.%03d' $((ms / 1000)) $((ms % 1000)))"
    # A process that ended by itself may be gone already (bash reaps it on its
    # own), which kill says in the log; wait still gives its exit status.
    kill -9 "$pid" 2>>"$log" || true
    wait "$pid" 2>>"$log" || status=$?  # bash tells of the kill there too
    if [ "$status" -eq 137 ]; then ended="killed"; else ended="exited $status"; fi
    windows_gone() { [ "$(visible_count "$pid")" -eq 0 ]; }
    wait_until 10 windows_gone || fail "the windows of the killed tavrin.exe stayed on the display for 10 s"
}

# last_event <stats>: what the last check found.
last_event() {
    python3 -c 'import json, sys; events = json.load(open(sys.argv[1]))["events"]; print(events[-1] if events else "")' "$1"
}

# member <tab> <slot>: the description of the button the model has there.
member() {
    python3 -c 'import json, sys; m = json.load(open(sys.argv[1])); print(m["members"][m["tabs"][int(sys.argv[2]) - 1]][int(sys.argv[3]) - 1])' \
        "$model" "$1" "$2"
}

# keep_evidence <kind>: the folder's files as they are, for the first three
# losses of each kind.
declare -A evidence
keep_evidence() {
    evidence[$1]=$((${evidence[$1]:-0} + 1))
    [ "${evidence[$1]}" -le 3 ] || return 0
    local into
    into="$out/evidence/$(printf '%03d' "$round")-$1"
    mkdir -p "$into"
    find "$folder" -maxdepth 1 -type f ! -name '*.exe' -exec cp -p {} "$into/" \;
    ls -la --time-style=full-iso "$folder" >"$into/listing.txt"
}

# move_tab <tab 1-5> <step -1|1>: the tab menu's "Move Tab left" or "Move Tab
# right" on that tab; fails when the menu does not open.
move_tab() {
    local tab="$1" step="$2" shown
    shown=$(visible_count "$pid")
    # shellcheck disable=SC2046
    click_at "$window" $(tab_point "$tab") 3
    wait_until 10 menu_open "$pid" "$shown" || return 1
    # Show Tavrin Tab, then (past the separator) Move Tab left and Move Tab right.
    if [ "$step" -lt 0 ]; then
        xdotool key Down Down Return
    else
        xdotool key Down Down Down Return
    fi
}

# click_button <tab 1-5> <slot>: selects the tab and clicks the cell.
click_button() {
    # shellcheck disable=SC2046
    click_at "$window" $(tab_point "$1")
    # shellcheck disable=SC2046
    click_at "$window" $(cell_point "$2")
}

# close_window: "Close" from the system menu, which sends WM_CLOSE as Alt+F4
# does; fails when the menu does not open. A click on the caption's icon opens
# the menu whether the window has the keyboard focus or not.
close_window() {
    local shown
    wait_until 10 no_menu "$pid" || return 1
    shown=$(visible_count "$pid")
    # shellcheck disable=SC2086
    click_at "$window" $TAVRIN_ICON_POINT
    wait_until 10 menu_open "$pid" "$shown" || return 1
    xdotool key c
}

# first_start: the calibration's start. A start that shows a box instead of the
# main window, or ends, is described in the log with a screenshot, and made
# again on the model's files, as a round's start is; the third such start
# fails the test.
first_start() {
    local try seen shot
    for try in 1 2 3; do
        start || fail "tavrin.exe did not start: $(tail -n 5 "$out/wine.log")"
        [ -z "$window" ] || return 0
        shot="$out/evidence/first-start-$try.png"
        import -window root "$shot" 2>>"$DRIVE_LOG" || shot="none (see $DRIVE_LOG)"
        if [ -n "$box" ]; then seen="a window captioned Tavrin of $(window_size "$box")"; else seen="no window"; fi
        stop 0
        echo "first start $try: tavrin.exe showed $seen instead of its main window of $TAVRIN_WINDOW_SIZE (the process: $ended); screenshot: $shot; the end of wine.log: $(tail -n 3 "$out/wine.log" | tr '\n' ' ')" |
            tee -a "$log" >&2
        settings write "$folder" "$model"
    done
    fail "tavrin.exe showed no main window of $TAVRIN_WINDOW_SIZE at three first starts in a row (see $log)"
}

# The script's own aim first: clicks on slots 1 and 20 of the first tab and
# on slot 7 of the fourth, a move of the third tab to the left and a close
# must do exactly that, or the positions in drive-lib.sh do not fit the window.
calibrate() {
    first_start
    local tab slot marker
    for step in "1 1" "1 20" "4 7"; do
        read -r tab slot <<<"$step"
        marker=$(member "$tab" "$slot")
        click_button "$tab" "$slot"
        wait_until 15 test -f "$folder/started/${marker#Button }.txt" ||
            fail "a click on slot $slot of tab $tab started nothing within 15 s (no started/${marker#Button }.txt)"
    done
    local started
    started=$(ls "$folder/started")
    [ "$(wc -w <<<"$started")" -eq 3 ] || fail "the calibration clicks started $(tr '\n' ' ' <<<"$started"), not 3 buttons"
    move_tab 3 -1 || fail "the tab menu did not open on tab 3 within 10 s"
    # shellcheck disable=SC2046
    click_at "$window" $(tab_point 1)  # the page the program reopens on stays the first
    close_window || fail "the system menu did not open within 10 s"
    wait_until 30 process_ended "$pid" || fail "tavrin.exe did not end within 30 s of its system menu's Close"
    stop 0
    [ "$ended" = "exited 0" ] || fail "tavrin.exe ended with '$ended' after its system menu's Close"
    local verdict
    verdict=$(settings check "$folder" "$model" "$out/calibration.json" kill \
        '{"kind": "calibration", "exact": true, "move": [2, 3], "clicks": ["Button 101", "Button 120", "Button 407"]}')
    [ "$verdict" = "ok calibration" ] ||
        fail "after the calibration the settings file is not as the script's actions should leave it: $(last_event "$out/calibration.json")"
    rm -f "$folder"/started/*
}

calibrate
echo "calibration: clicks, a tab move and a close do what the script aims at" | tee -a "$log"

round=0 failed_starts=0 started_at=$SECONDS
previous="{}"
# again <what>: the round did not get to its kill; it is done again, after the
# folder is put back as the model has it. Three in a row end the test.
again() {
    echo "round $round: $1" | tee -a "$log"
    settings write "$folder" "$model"
    round=$((round - 1))
    failed_starts=$((failed_starts + 1))
    [ "$failed_starts" -lt 3 ] || fail "three rounds in a row did not get to their kill; the last: $1"
}
while [ "$round" -lt "$kills" ]; do
    round=$((round + 1))
    if ! start; then
        stop 0
        settings note "$stats" start_refused "round $round: a start showed no window within 30 s"
        again "the start showed no window within 30 s"
        continue
    fi
    if [ -n "$box" ]; then
        # The program refused what it found and says so in a box.
        import -window "$box" "$out/evidence/box-$round.png" || echo "no picture of the message box was taken" >&2
        stop 0
        settings note "$stats" start_refused "round $round: a start showed a message box (evidence/box-$round.png)"
        again "the start showed a message box (evidence/box-$round.png)"
        continue
    fi
    if [ -z "$window" ]; then
        stop 0
        settings note "$stats" start_refused "round $round: tavrin.exe ended ($ended) without a window"
        again "tavrin.exe ended ($ended) without a window"
        continue
    fi
    # The start after a kill must have found or recovered every button.
    verdict=$(settings check "$folder" "$model" "$stats" start "$previous")
    if [ "$verdict" != "ok" ]; then
        keep_evidence start-lost
        stop 0
        again "the start lost buttons: $(last_event "$stats")"
        continue
    fi
    failed_starts=0
    rm -f "$folder"/started/*

    choice=$((RANDOM % 100))
    if [ "$choice" -lt 45 ]; then
        tab=$((1 + RANDOM % 5)) slot=$((1 + RANDOM % 20))
        description=$(member "$tab" "$slot")
        click_button "$tab" "$slot"
        action="{\"kind\": \"click\", \"description\": \"$description\", \"text\": \"a click on slot $slot of tab $tab\""
    elif [ "$choice" -lt 80 ]; then
        tab=$((1 + RANDOM % 5))
        if [ "$tab" -eq 1 ] || [ $((RANDOM % 2)) -eq 0 ]; then step=1; else step=-1; fi
        if ! move_tab "$tab" "$step"; then
            stop 0
            again "the tab menu did not open within 10 s"
            continue
        fi
        action="{\"kind\": \"move\", \"a\": $tab, \"b\": $((tab + step)), \"text\": \"a move of tab $tab by $step\""
    else
        if ! close_window; then
            stop 0
            again "the system menu did not open within 10 s"
            continue
        fi
        action='{"kind": "close", "text": "a close"'
    fi
    delay=$((RANDOM % 301))
    stop "$delay"
    if [ "$ended" = "killed" ]; then
        action="$action, \"delay\": $delay}"
    else
        action="$action, \"delay\": $delay, \"exited\": true}"
    fi
    verdict=$(settings check "$folder" "$model" "$stats" kill "$action")
    what=$(sed 's/.*"text": "\([^"]*\)".*/\1/' <<<"$action")
    echo "round $round: $what, $ended after $delay ms: $verdict" >>"$log"
    case "$verdict" in
        ok*) ;;
        missing | unreadable) keep_evidence "$verdict" ;;  # the next start shows what becomes of it
        *)
            keep_evidence "$verdict"
            echo "round $round: $what, $ended after $delay ms: $(last_event "$stats")" >>"$log"
            settings write "$folder" "$model"
            ;;
    esac
    previous="$action"
    if [ $((round % 25)) -eq 0 ]; then
        echo "fault-test.sh: $round of $kills kills, $((SECONDS - started_at)) s"
    fi
done
# The last kill's file meets one more start.
if start; then
    if [ -n "$window" ]; then
        verdict=$(settings check "$folder" "$model" "$stats" start "$previous")
        echo "the start after the last kill: $verdict" >>"$log"
    else
        settings note "$stats" start_refused "the start after the last kill showed no main window"
    fi
fi
stop 0
echo "fault-test.sh: $round kills in $((SECONDS - started_at)) s against $exe (seed $seed)" >"$out/figures.txt"
status=0
settings report "$stats" >>"$out/figures.txt" || status=$?
cat "$out/figures.txt"
echo "figures: $out/figures.txt; every round: $log"
exit "$status"
