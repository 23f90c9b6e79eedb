# Shell functions for scripts that need an X server of their own. Source this file, then:
#   start_private_x_server FOLDER   starts Xvfb on a free display, exports DISPLAY, sets xvfb_pid
#   stop_private_x_server           stops that server, by its process id only
#   stop_program_and_x_server       first stops the program whose id is in program_pid, if any
# FOLDER receives the display number and the server's log.

start_private_x_server() {
  local folder=$1 attempt
  # The server picks a free display number itself and writes it to the pipe. Without -noreset it
  # starts over when its last client leaves, as the check below does, and a program connecting in
  # that moment is turned away.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$folder/display" \
    2>"$folder/xvfb.log" &
  xvfb_pid=$!
  for attempt in $(seq 100); do
    [ -s "$folder/display" ] && break
    sleep 0.1
  done
  if [ ! -s "$folder/display" ]; then
    echo "Xvfb did not start: $(cat "$folder/xvfb.log")" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$folder/display")"
  # The number comes before the server takes clients; wait until it answers.
  for attempt in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "the X server on $DISPLAY does not answer" >&2
  return 1
}

stop_private_x_server() {
  if [ -n "${xvfb_pid:-}" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  fi
}

# A program that was already gone, or a wait that reports the signal, must not end the clean-up
# before the X server is stopped.
stop_program_and_x_server() {
  if [ -n "${program_pid:-}" ]; then
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
  fi
  stop_private_x_server
}
