#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts the real viewer on a private X server, loads a sample model through the real open dialog
# with xdotool, checks that the window shows it, cancels the dialog, lists /proc and /dev in it
# (the window and the dialog must go on answering), loads another model, then a bad file and
# closes the error box, and closes the window. The viewer runs with HOME and the XDG folders in
# an empty folder and under strace: afterwards the folder is still empty, the viewer changed no
# file anywhere, and it opened none of the entries it listed.
# Usage: load_model_e2e.sh VIEWER EXAMPLES_DIR OUTPUT_DIR
# Exit 77 (skipped) when Xvfb, xdotool, ImageMagick, strace or python3-xlib is missing.
set -uo pipefail

viewer=$1
examples=$2
out=$3
sample=trainer-easy.qzd
main_title='Tarnell QZ Model data viewer'
box_title='DODeruzudevir'

# shellcheck source=tests/e2e/x_server.sh
source "$(dirname "$0")/x_server.sh"
require_tools Xvfb xdotool import compare identify strace
# A Python that can talk to the X server, to close the window as a window manager would.
python=
for candidate in python3 /usr/bin/python3; do
  if "$candidate" -c 'import Xlib' 2>/dev/null; then python=$candidate; break; fi
done
if [ -z "$python" ]; then
  echo "SKIP: python3-xlib is not installed (scripts/install-deps installs it)"
  exit 77
fi
if ! strace -f -qq -o /dev/null true 2>/dev/null; then
  echo "SKIP: strace cannot trace processes here"
  exit 77
fi
# LeakSanitizer cannot work under ptrace; the other tests of a sanitizer build look for leaks.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
here=$(cd "$(dirname "$0")" && pwd)

# Not under /tmp: the dialog watches each folder it has listed, and other programs change /tmp
# all the time; under strace on a loaded machine the viewer then spends its time rescanning /tmp
# instead of answering. The build tree is quiet.
mkdir -p "$out"
work=$(mktemp -d "$out/load-model.XXXXXX")
xvfb_pid=
viewer_pid=
strace_pid=
cleanup() {
  [ -n "$viewer_pid" ] && kill "$viewer_pid" 2>/dev/null
  [ -n "$strace_pid" ] && kill "$strace_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  shot failure
  [ -f "$work/viewer.log" ] && sed 's/^/viewer: /' "$work/viewer.log"
  exit 1
}


shot() { import -window root "$out/e2e-$1.png" 2>/dev/null || true; }

# The number of distinct colours in a rectangle of the main window's client area.
colours_at() {
  import -window root -crop "${3}x${4}+$((win_x + $1))+$((win_y + $2))" -format '%k' info: 2>/dev/null
}

visible_windows() { xdotool search --onlyvisible --pid "$viewer_pid" 2>/dev/null; }
# The first visible top-level window of the viewer other than the main window.
other_window() {
  local w
  for w in $(visible_windows); do
    [ "$w" != "$main" ] && { echo "$w"; return 0; }
  done
  return 1
}
find_other() { other=$(other_window); }
no_other() { ! other_window >/dev/null; }
gone() { ! visible_windows | grep -qx "$1"; }

# Gives the dialog the keyboard, and waits until it has it. Without --sync: waiting for a focus
# change never ends when the dialog, shown again, has the focus already.
has_focus() { [ "$(xdotool getwindowfocus -f 2>/dev/null)" = "$1" ]; }
focus_dialog() {
  xdotool windowfocus "$dialog" 2>/dev/null
  wait_for has_focus "$dialog" || fail "the open dialog did not take the keyboard"
}

# "load model" is at (432, 24), 65 x 20. The pointer leaves it first: a move to where it already
# stands would wait for a motion that never comes.
press_load_model() {
  xdotool mousemove --sync 0 0
  xdotool mousemove --sync $((win_x + 464)) $((win_y + 34)) click 1
}

click_load_model() {
  press_load_model
  wait_for find_other || fail "no open dialog after a click on load model"
  dialog=$other
  focus_dialog
}

# Types a path over whatever the dialog offers and accepts it. One Enter does it: a completion
# list that has come up passes Enter on to the name it completes.
choose_in_dialog() {
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 5 "$1"
  xdotool key Return
  wait_for gone "$dialog" || fail "the open dialog did not close on Enter"
}

# The first two entries of the dialog's listing, once painted (more than background and border).
listing_at() {  # FILE
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$dialog")"
  import -window root -crop "250x36+$((X + 108))+$((Y + 62))" +repage "$1" 2>/dev/null &&
    [ "$(identify -format '%k' "$1")" -gt 2 ]
}
lists_another_folder() {
  listing_at "$work/listing.png" &&
    [ "$(compare -metric AE "$work/listing.png" "$work/listing-before.png" null: 2>&1)" != 0 ]
}
only_main_and_dialog() { [ -z "$(visible_windows | grep -vx -e "$main" -e "$dialog")" ]; }

# Goes to a folder by typing its path into the dialog as a user would, and Enter. Once the
# dialog lists the folder's entries, the name is cleared, so that a completion list neither
# stands nor comes up later to take the Escape that then closes the dialog; the main window must
# then open it again. A dialog that read what it lists (as /proc/kmsg, which never answers)
# would never paint the listing nor answer.
visit_in_dialog() {
  wait_for listing_at "$work/listing-before.png" || fail "the open dialog lists nothing"
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 5 "$1"
  xdotool key Return
  wait_for lists_another_folder || fail "the open dialog did not list $1"
  xdotool key --clearmodifiers ctrl+a BackSpace
  wait_for only_main_and_dialog || fail "a completion list stands in the dialog after $1"
  xdotool key Escape
  wait_for gone "$dialog" || fail "the open dialog did not close on Escape after listing $1"
  press_load_model
  wait_for find_other || fail "the main window did not answer after the dialog listed $1"
  dialog=$other
  focus_dialog
}

# Closes a window as a window manager does when the user clicks its close button.
close_window() {
  "$python" - "$1" <<'PY'
import sys
from Xlib import X, display, protocol
from Xlib.support import unix_connect
# Through the server's abstract socket, as xdotool and the viewer connect: python-xlib prefers
# the socket file in /tmp/.X11-unix, which other servers on a shared machine can replace.
file_socket = unix_connect._get_unix_socket
unix_connect._get_unix_socket = lambda a: file_socket(a if a.startswith("\0") else "\0" + a)
d = display.Display()
window = d.create_resource_object("window", int(sys.argv[1]))
protocols = d.intern_atom("WM_PROTOCOLS")
delete = d.intern_atom("WM_DELETE_WINDOW")
window.send_event(protocol.event.ClientMessage(window=window, client_type=protocols,
                                              data=(32, [delete, X.CurrentTime, 0, 0, 0])))
d.flush()
PY
}

# A private X server on a free display number.
start_x_server
export QT_QPA_PLATFORM=xcb NO_AT_BRIDGE=1

printf '12\n<b>oops</b>\n' >"$work/bad.qzd"

# Everything the program might keep between runs would land in this folder.
home="$work/home"
mkdir -m 700 "$home"
export HOME="$home" XDG_CONFIG_HOME="$home" XDG_DATA_HOME="$home" XDG_CACHE_HOME="$home" \
  XDG_STATE_HOME="$home" XDG_RUNTIME_DIR="$home"

# One trace file per thread, so that no call is split across lines.
(cd "$examples" && exec strace -f -ff -qq -y -e trace=%file,write,writev,pwrite64,pwritev \
  -o "$work/trace" "$viewer") >"$work/viewer.log" 2>&1 &
strace_pid=$!

find_main() { main=$(xdotool search --onlyvisible --name "^$main_title\$" 2>/dev/null | head -n 1); [ -n "$main" ]; }
wait_for find_main || fail "the main window did not appear"
viewer_pid=$(xdotool getwindowpid "$main")
title=$(xdotool getwindowname "$main")
[ "$title" = "$main_title" ] || fail "window title is '$title', not '$main_title'"
eval "$(xdotool getwindowgeometry --shell "$main")"
win_x=$X win_y=$Y
[ "${WIDTH}x${HEIGHT}" = 916x547 ] || fail "client area is ${WIDTH}x${HEIGHT}, not 916x547"
# The load button is drawn once the window is.
painted() { [ "$(colours_at 432 24 65 20)" -gt 2 ]; }
wait_for painted || fail "the main window was not drawn"
shot 1-start

# The type pictures (aeroplane at 384, 64 and glider at 432, 64) are hidden until a fill shows
# them, so their place is plain window background.
[ "$(colours_at 384 64 97 18)" = 1 ] || fail "type picture area is not plain background at start"

click_load_model
shot 2-dialog
choose_in_dialog "$examples/$sample"
wait_for no_other || fail "a window of the viewer other than the main one is still open"
check_pictures() { [ "$(colours_at 384 64 97 18)" -gt 2 ]; }
wait_for check_pictures || fail "no type picture shows after loading $sample"
shot 3-loaded

# A cancelled dialog fills the window again from the model already read.
click_load_model
xdotool key Escape
wait_for gone "$dialog" || fail "the open dialog did not close on Escape"
wait_for check_pictures || fail "the cancelled dialog changed the pictures"

# Qt's dialog used to read listed files to guess their type; /proc/kmsg never answers as root.
click_load_model
visit_in_dialog /proc/
visit_in_dialog /dev/
shot 3b-dev
# The glider shows only its own picture; the aeroplane's place is plain again.
choose_in_dialog "$examples/glider.qzd"
glider_only() { [ "$(colours_at 384 64 48 18)" = 1 ] && [ "$(colours_at 432 64 49 18)" -gt 2 ]; }
wait_for glider_only || fail "glider.qzd did not load after the dialog listed /proc and /dev"

click_load_model
choose_in_dialog "$work/bad.qzd"
find_box() { box=$(other_window) && [ "$(xdotool getwindowname "$box")" = "$box_title" ]; }
wait_for find_box || fail "no error box titled $box_title after loading a bad file"
shot 4-error
xdotool windowfocus --sync "$box" 2>/dev/null
xdotool key Return
wait_for gone "$box" || fail "the error box did not close on Enter"
wait_for no_other || fail "a window of the viewer other than the main one is still open"
kill -0 "$viewer_pid" 2>/dev/null || fail "the viewer ended after the error box"
wait_for check_pictures || fail "the failed load changed the window"
shot 5-after-error

ended() { ! kill -0 "$strace_pid" 2>/dev/null; }
# Asked again until it ends, as a user clicks the close button again: on a loaded machine the
# first request right after the error box is now and then not acted on (about one run in twenty
# under strace and a busy loop; the next one always was).
closed_on_request() { ended || { close_window "$main" 2>/dev/null; false; }; }
wait_for closed_on_request || fail "the viewer did not end when its window was closed"
wait "$strace_pid"
status=$?
strace_pid= viewer_pid=
[ "$status" -eq 0 ] || fail "the viewer ended with status $status"

problems=$(find "$home" -mindepth 1 -printf 'left in its empty home: %p\n' | head -n 5)
cat "$work"/trace.* >"$work/trace.log"
problems+=$("$python" "$here/file_access.py" "$work/trace.log" | head -n 20)
[ -z "$problems" ] || fail "the viewer changed or opened files it must not:
$problems"

echo "PASS: loaded $sample and glider.qzd, listed /proc and /dev, saw the error box for a bad" \
  "file, wrote and opened nothing it must not; screenshots in $out"
