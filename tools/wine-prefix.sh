#!/usr/bin/env bash
# Makes a Wine prefix for Tavrin's programs unless it is ready: wine-prefix.sh <prefix>
# [--unmanaged] [--logpixels <dpi>]. It is ready once every step of making it has
# succeeded, which the file .tavrin-ready in it records; a prefix that lacks it (a
# step failed or was cut off) is made again from nothing. Several callers may start
# at once: the first makes the prefix, the others wait for it.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

prefix="$1"
shift
unmanaged=0 logpixels=""
while [ "$#" -gt 0 ]; do
    case "$1" in
        --unmanaged) unmanaged=1 ;;
        --logpixels) logpixels="$2"; shift ;;
        *) echo "wine-prefix.sh: unknown option $1" >&2; exit 2 ;;
    esac
    shift
done
ready="$prefix/.tavrin-ready"
[ -f "$ready" ] && exit 0

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$ready" ] && exit 0

export WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}"
log="$prefix.log"
echo "wine-prefix.sh: making the Wine prefix $prefix (log: $log)" >&2
stop_wineserver "$prefix"
rm -rf "$prefix"
# No Mono or Gecko installers: the machine has no network and the programs need neither.
WINEDLLOVERRIDES="mscoree,mshtml=" logged "$log" "making the Wine prefix $prefix" wine wineboot -i
if [ "$unmanaged" -eq 1 ]; then
    # Xvfb runs no window manager: unmanaged windows spare every hide a two-second
    # wait for a window manager that never answers.
    logged "$log.managed" "turning Wine's window management off in $prefix" \
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
fi
if [ -n "$logpixels" ]; then
    logged "$log.logpixels" "setting the display of $prefix to $logpixels DPI" \
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$logpixels" /f
fi
# The registry reaches its files when the server ends.
logged "$log.wait" "waiting for the wineserver of $prefix" wineserver -w
if [ -n "$logpixels" ]; then
    query="$(wine reg query 'HKCU\Control Panel\Desktop' /v LogPixels 2>&1)" || true
    wineserver -w
    if ! grep -qiE "LogPixels[[:space:]]+REG_DWORD[[:space:]]+0x$(printf '%x' "$logpixels")\b" <<<"$query"; then
        echo "wine-prefix.sh: the display of $prefix is not at $logpixels DPI after setting it; reg query says:" >&2
        sed 's/^/    /' <<<"$query" >&2
        exit 1
    fi
fi
touch "$ready"
