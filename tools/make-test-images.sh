#!/usr/bin/env bash
# Writes the small pictures with which the tests check the PNG and JPEG
# decoders: a 4 x 2 PNG with known pixels and an 8 x 8 JPEG of one colour.
# Metadata that would change from run to run is left out.
set -euo pipefail
out="$(cd "$(dirname "$0")/../tests/data" && pwd)"
convert -size 4x2 xc:'#FF0000' -fill '#0000FF' -draw 'point 3,1' -fill '#00FF0080' -draw 'color 1,0 point' \
        -strip -define png:exclude-chunks=date,time,tIME PNG32:"$out/pattern.png"
convert -size 8x8 xc:'#3366CC' -strip -quality 95 -sampling-factor 1x1 "$out/pattern.jpg"
