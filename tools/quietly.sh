# shellcheck shell=bash
# A shell function for the benchmark scripts, which source this file:
#   quietly LOG COMMAND...   runs the command with its output in LOG; when it fails, prints LOG
#                            and exits
# So a build's own output shows only when it fails, and the figures stay readable.
quietly() {
  local log=$1
  shift
  "$@" >"$log" 2>&1 || { cat "$log"; exit 1; }
}
