# SPDX-License-Identifier: MIT
# shellcheck shell=bash disable=SC2154,SC2034
# Shared by the end-to-end scripts. start_x_server needs their `fail` and their folder `work`.

# Ends the script as skipped (77) when one of the named programs is missing.
require_tools() {
  local tool
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then
      echo "SKIP: $tool is not installed (scripts/install-deps installs it)"
      exit 77
    fi
  done
}

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
  local tenths=$1
  shift
  for ((i = 0; i < tenths; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# Starts a private X server on a free display and points DISPLAY at it; its pid is in xvfb_pid.
start_x_server() {
  mkfifo "$work/displayfd"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/displayfd" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  read -r -t 20 display_number <"$work/displayfd" || { cat "$work/xvfb.log"; fail "Xvfb did not start"; }
  export DISPLAY=":$display_number"
  unset WAYLAND_DISPLAY
}
