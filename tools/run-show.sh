#!/usr/bin/env bash
# `make run`: starts the show under Wine.
# With a display ($DISPLAY) the interactive program runs there until you close it. Without one it runs
# on a private Xvfb for $RUN_SECONDS seconds (default 8): the settings sheet is accepted with Enter, and
# screenshots are saved under build/run/.
set -uo pipefail
cd "$(dirname "$0")/.."
here=tools

program=build/win32/bin/fireworks.scr
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo "run: this kernel cannot run 32-bit code; running the x86-64 build of the same program"
  program=build/win64/bin/fireworks.scr
fi

if [ -n "${DISPLAY:-}" ]; then
  exec "$here/wine-run.sh" "$program" "$@"
fi

out=build/run
mkdir -p "$out"
rm -f "$out"/*.png
. "$here/x-server.sh"
start_server Xvfb 150 190 -screen 0 "${FW_SCREEN:-800x600x24}" || { echo "run: could not start Xvfb" >&2; exit 2; }
xvfb=$server_pid
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=$server_display

"$here/wine-run.sh" "$program" "$@" &
show=$!
seconds=${RUN_SECONDS:-8}
shot() { xwd -root -silent -display "$DISPLAY" | convert xwd:- "$out/$1.png" 2>/dev/null; }
sleep 4
shot 1-start
# The interactive program opens its settings first; Enter presses OK.
xdotool search --name "Brelkora Fireworks" >/dev/null 2>&1 && xdotool key --clearmodifiers Return 2>/dev/null
for i in $(seq 2 $((seconds / 2 + 1))); do
  sleep 2
  shot "$i-show"
done
xdotool key Escape 2>/dev/null
sleep 2
kill $show 2>/dev/null
/usr/lib/wine/wineserver -k 2>/dev/null
echo "run: screenshots saved in $out/:"
ls "$out"
