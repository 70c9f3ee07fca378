# Shell functions shared by the scripts in tools/. Source it; it sets nothing else.

# logged <log file> <what> <command...>: runs the command with its output in the log
# file. When it fails, says what failed, prints the log's last lines and returns the
# command's status, so that a failure always shows its reason.
logged() {
    local log="$1" what="$2" status=0
    shift 2
    mkdir -p "$(dirname "$log")"
    "$@" >"$log" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
        echo "${0##*/}: $what failed (exit status $status); the last lines of $log:" >&2
        tail -n 25 "$log" | sed 's/^/    /' >&2
    fi
    return "$status"
}

# stop_wineserver <prefix>: stops the wineserver of a prefix when one runs there.
# wineserver -k fails, silently, when none runs: that is no error here.
stop_wineserver() {
    WINEPREFIX="$1" wineserver -k || true
}

# wait_until <seconds> <command...>: runs the command every 0.2 s until it succeeds;
# fails when the deadline passes first.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.2
    done
}
