#!/usr/bin/env bash
# Checks that includes between the folders of src/ point down the layers:
#   xml <- storage <- rules <- win32 <- shell <- desktop, dialogs <- app
# The portable core (xml, storage, rules) includes only the core below it, and the
# dialogs and the desktop components do not include each other. Prints each
# offending include as file:line and fails when there is one.
# Usage: tools/check-includes.sh [source folder, src/ of the checkout by default]
set -euo pipefail
source_root="${1:-$(dirname "$0")/../src}"
[ -d "$source_root" ] || { echo "no source folder at $source_root" >&2; exit 2; }

declare -A allowed=(
    [xml]="xml"
    [storage]="xml storage"
    [rules]="xml storage rules"
    [win32]="xml storage rules win32"
    [shell]="xml storage rules win32 shell"
    [desktop]="xml storage rules win32 shell desktop"
    [dialogs]="xml storage rules win32 shell dialogs"
    [app]="xml storage rules win32 shell desktop dialogs app"
)

violations=0
for folder in "${!allowed[@]}"; do
    [ -d "$source_root/$folder" ] || { echo "no folder $source_root/$folder: the layers above are out of date" >&2; exit 2; }
    # Every quoted include that names a folder: "file:line:#include "folder/name.h"".
    # grep's status 1 only says that the folder has no such include.
    includes=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"/]+/' "$source_root/$folder") || [ $? -eq 1 ]
    while IFS= read -r found; do
        [ -n "$found" ] || continue
        [[ $found =~ \"([^\"/]+)/ ]]
        target=${BASH_REMATCH[1]}
        if [[ " ${allowed[$folder]} " != *" $target "* ]]; then
            echo "$found  -- src/$folder/ may include only: ${allowed[$folder]}" >&2
            violations=$((violations + 1))
        fi
    done <<<"$includes"
done
if [ "$violations" -gt 0 ]; then
    echo "$violations include(s) point up or across the layers" >&2
    exit 1
fi
echo "includes point down the layers"
