#!/usr/bin/env bash
# `make gallery`: the pictures at the top of README.md, made with fwrender from the built-in fireworks.
#   docs/images/show.gif       the skyline show, six seconds of it
#   docs/images/firework-N.png one still of built-in firework N (0 to 9), at a moment that shows it
# The seeds are fixed, so the same program makes the same pictures.
set -euo pipefail
cd "$(dirname "$0")/.."
fwrender=build/native/bin/fwrender
out=docs/images
work=build/gallery
mkdir -p "$out"
rm -rf "$work"

"$fwrender" --seed 7 --size 480x360 --fps 25 --skip 100 --frames 150 --no-png --out "$work/show" >/dev/null
install -m 644 "$work/show/show.gif" "$out/show.gif"

# The frame (at 25 frames per second) of each firework's still: most are shown a second after their
# burst, the colour-changing ones later.
frames=(100 150 270 100 100 100 100 100 100 150)
for n in "${!frames[@]}"; do
  "$fwrender" --seed 3 --script "$n" --size 320x240 --fps 25 --skip "${frames[$n]}" --frames 1 --no-gif \
    --out "$work/$n" >/dev/null
  install -m 644 "$work/$n/frame-0000.png" "$out/firework-$n.png"
done
du -cb "$out"/* | tail -1 | awk '{ printf "gallery: %d bytes in docs/images\n", $1 }'
