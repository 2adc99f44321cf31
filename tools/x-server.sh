# Sourced by tools/wine-run.sh and tools/run-show.sh: starting a private X server.
#
# start_server PROGRAM FIRST LAST ARGS...: starts the X server PROGRAM (Xvfb, Xephyr) with ARGS on the
# first free display from :FIRST to :LAST, waits until it accepts connections, and sets server_pid and
# server_display. Returns 1 when no display could be started.
start_server() {
  local program=$1 first=$2 last=$3 n
  shift 3
  for n in $(seq "$first" "$last"); do
    { [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; } && continue
    "$program" ":$n" "$@" -nolisten tcp >/dev/null 2>&1 &
    server_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    if kill -0 "$server_pid" 2>/dev/null; then server_display=":$n"; return 0; fi
  done
  return 1
}
