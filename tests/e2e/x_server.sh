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

# Waits for the command to succeed, checking every tenth of a second. What a test waits for
# comes at once or never (a hang): the bound only ends a hung run, and is generous so that a
# loaded machine never trips it.
wait_for() {
  local deadline=$((SECONDS + ${E2E_PATIENCE:-30}))
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# Starts a private X server on a free display and points DISPLAY at it; its pid is in xvfb_pid.
# The server picks the number itself (-displayfd): it takes the first whose sockets it can
# claim, so that servers started at the same time, here or by other users of the machine, never
# share one. Without -noreset it would reset each time its last client leaves, and the program
# connecting just then, while xdotool polls for its window, would find no display.
start_x_server() {
  mkfifo "$work/displayfd"
  Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$work/displayfd" \
    >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  read -r -t 20 display_number <"$work/displayfd" || { cat "$work/xvfb.log"; fail "Xvfb did not start"; }
  export DISPLAY=":$display_number"
  unset WAYLAND_DISPLAY
}

# The viewer's windows: its main window (titled $main_title) into `main`, and any other of its
# visible windows, a dialog, a box or a menu, into `other`; `viewer_pid` is the viewer's process.
find_main() { main=$(xdotool search --onlyvisible --name "^$main_title\$" 2>/dev/null | head -n 1); [ -n "$main" ]; }
other_window() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$viewer_pid" 2>/dev/null); do
    [ "$w" != "$main" ] && { echo "$w"; return 0; }
  done
  return 1
}
find_other() { other=$(other_window); }
no_other() { ! other_window >/dev/null; }
