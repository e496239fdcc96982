# SPDX-License-Identifier: MIT
# shellcheck shell=bash disable=SC2154,SC2034
# Shared by the end-to-end scripts, which source it after defining `fail` and the folder `work`.

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
