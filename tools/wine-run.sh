#!/usr/bin/env bash
# Runs a Windows program under Wine for the tests and for `make run`.
#   wine-run.sh PROGRAM.exe [ARGS...]
# - WINEPREFIX: $FW_WINEPREFIX, or <build dir>/wineprefix, found from the program's location (the
#   nearest folder above it with a CMakeCache.txt). Created once, then reused; tools/wine-prefix-setup.sh
#   completes it.
# - WINEDEBUG=-all unless the caller set WINEDEBUG.
# - X display: $DISPLAY when set; otherwise a private Xvfb (screen $FW_SCREEN, default 800x600x24)
#   that lives as long as the program. FW_MONITORS="800x600 640x480" gives it that many monitors
#   side by side, the first one primary (a nested Xephyr with Xinerama).
# - Sound: none by default (no sound card here, so DirectSound fails and programs run silent). With
#   FW_SOUND_CAPTURE=/path/file.raw, ALSA's default output becomes a file sink over the null device:
#   whatever Wine plays is written raw to that file (Wine mixes to 32-bit float stereo there), and
#   Wine is kept off any PulseAudio server so that it reaches ALSA.
# - Display resolution: with FW_LOG_PIXELS=N the program sees a display of N dots per inch (Wine's
#   LogPixels setting, HKCU\Control Panel\Desktop), put back to the default when it ends.
# - PE32 programs need the 32-bit Wine loader; a kernel without 32-bit support cannot start it, and the
#   program is then skipped with exit code 77 (CTest's skip code here).
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
prog=$1; shift
[ -f "$prog" ] || { echo "wine-run: no such program: $prog" >&2; exit 2; }

pe_machine() {  # prints 014c (i386) or 8664 (x86-64)
  local off
  off=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  od -An -tx2 -j$((off + 4)) -N2 "$1" | tr -d ' '
}

can_run_32bit() { [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; }

case "$(pe_machine "$prog")" in
  014c)
    if ! can_run_32bit; then
      echo "wine-run: skipped $(basename "$prog"): this kernel cannot run 32-bit code (32-bit Wine loader unusable)"
      exit 77
    fi
    loader=/usr/lib/wine/wine ;;
  8664) loader=/usr/lib/wine/wine64 ;;
  *) echo "wine-run: $prog is not a Windows program" >&2; exit 2 ;;
esac

if [ -z "${FW_WINEPREFIX:-}" ]; then
  d=$(cd "$(dirname "$prog")" && pwd)
  while [ "$d" != / ] && [ ! -f "$d/CMakeCache.txt" ]; do d=$(dirname "$d"); done
  [ "$d" = / ] && d=$(cd "$(dirname "$prog")" && pwd)
  FW_WINEPREFIX=$d/wineprefix
fi
export WINEPREFIX=$FW_WINEPREFIX
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winemenubuilder.exe=d"}

# One-time prefix creation, serialised between concurrent callers.
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/.fw-ready" ]; then
    /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
    /usr/lib/wine/wineserver -w
    touch "$WINEPREFIX/.fw-ready"
  fi
  # Again whenever the set-up itself changed since it last ran on this prefix.
  if [ "$here/wine-prefix-setup.sh" -nt "$WINEPREFIX/.fw-setup" ]; then
    "$here/wine-prefix-setup.sh" >/dev/null 2>&1
    touch "$WINEPREFIX/.fw-setup"
  fi
) 9>"$WINEPREFIX.lock"

xvfb_pid=""
xephyr_pid=""
alsa_dir=""
log_pixels_key='HKCU\Control Panel\Desktop'
cleanup() {
  [ -n "${FW_LOG_PIXELS:-}" ] && /usr/lib/wine/wine64 reg delete "$log_pixels_key" /v LogPixels /f >/dev/null 2>&1
  [ -n "$xephyr_pid" ] && kill "$xephyr_pid" 2>/dev/null && wait "$xephyr_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  [ -n "$alsa_dir" ] && rm -f "$alsa_dir/asoundrc" && rmdir "$alsa_dir"
}
trap cleanup EXIT
if [ -n "${FW_SOUND_CAPTURE:-}" ]; then
  alsa_dir=$(mktemp -d)
  cat >"$alsa_dir/asoundrc" <<EOF
pcm.!default {
  type file
  slave.pcm "null"
  file "$FW_SOUND_CAPTURE"
  format "raw"
}
EOF
  export ALSA_CONFIG_PATH=/usr/share/alsa/alsa.conf:$alsa_dir/asoundrc
  export PULSE_SERVER=unix:/nonexistent
fi
if [ -n "${FW_LOG_PIXELS:-}" ]; then
  /usr/lib/wine/wine64 reg add "$log_pixels_key" /v LogPixels /t REG_DWORD /d "$FW_LOG_PIXELS" /f >/dev/null 2>&1
fi
. "$here/x-server.sh"
if [ -z "${DISPLAY:-}" ]; then
  start_server Xvfb 90 140 -screen 0 "${FW_SCREEN:-800x600x24}" || { echo "wine-run: could not start Xvfb" >&2; exit 2; }
  xvfb_pid=$server_pid
  export DISPLAY=$server_display
  if [ -n "${FW_MONITORS:-}" ]; then
    # Xephyr inside that Xvfb, one screen per monitor side by side through Xinerama; without RandR,
    # Wine takes its monitors from Xinerama.
    screens=()
    for monitor in $FW_MONITORS; do screens+=(-screen "$monitor"); done
    start_server Xephyr 90 140 "${screens[@]}" +xinerama -extension RANDR || { echo "wine-run: could not start Xephyr" >&2; exit 2; }
    xephyr_pid=$server_pid
    export DISPLAY=$server_display
  fi
fi

"$loader" "$prog" "$@"
rc=$?
# Let the prefix's processes finish before the display goes away.
/usr/lib/wine/wineserver -w 2>/dev/null
exit $rc
