#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts the real viewer on a private X server with a model named on the command line, as a file
# manager does, and checks that the window shows that model: its client area must equal, pixel for
# pixel, what `qzd-viewer --export` draws for the same file (the load button, whose focus look
# depends on the window being active, left out). Then Ctrl+O offers that file in the dialog, Enter
# loads it again without an error, and Ctrl+Q ends the program. Last, a missing file named on the
# command line shows the error box over the window.
# Usage: open_path_e2e.sh VIEWER EXAMPLES_DIR OUTPUT_DIR
# Exit 77 (skipped) when Xvfb, xdotool or ImageMagick is missing.
set -uo pipefail

viewer=$1
examples=$2
out=$3
sample=glider.qzd
main_title='Tarnell QZ Model data viewer'
box_title='DODeruzudevir'

# shellcheck source=tests/e2e/x_server.sh
source "$(dirname "$0")/x_server.sh"
require_tools Xvfb xdotool import compare

work=$(mktemp -d)
xvfb_pid=
viewer_pid=
cleanup() {
  [ -n "$viewer_pid" ] && kill "$viewer_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  import -window root "$out/e2e-open-failure.png" 2>/dev/null
  [ -f "$work/viewer.log" ] && sed 's/^/viewer: /' "$work/viewer.log"
  exit 1
}


start_x_server
export QT_QPA_PLATFORM=xcb NO_AT_BRIDGE=1
mkdir -p "$out"

start() {  # FILE: the viewer, started in the examples folder with FILE as typed there
  (cd "$examples" && exec "$viewer" "$1") >"$work/viewer.log" 2>&1 &
  viewer_pid=$!
  wait_for find_main || fail "the main window did not appear"
}
ended() { ! kill -0 "$viewer_pid" 2>/dev/null; }

# The window's client area without the load button at (432, 24), 65 x 20.
client_area() {  # SOURCE TARGET
  convert "$1" -fill black -draw 'rectangle 430,22 498,45' "$2"
}
same_as_export() {
  import -window root -crop "916x547+$win_x+$win_y" +repage "$work/window.png" 2>/dev/null &&
    client_area "$work/window.png" "$work/window-masked.png" &&
    [ "$(compare -metric AE "$work/window-masked.png" "$work/export-masked.png" null: 2>&1)" = 0 ]
}

(cd "$examples" && "$viewer" --export "$work/export.png" "$sample") ||
  fail "the export of $sample failed"
client_area "$work/export.png" "$work/export-masked.png"

start "$sample"
eval "$(xdotool getwindowgeometry --shell "$main")"
win_x=$X win_y=$Y
wait_for same_as_export || {
  cp "$work/window.png" "$out/e2e-open-window.png"
  cp "$work/export.png" "$out/e2e-open-export.png"
  fail "the window does not show $sample as the export draws it (see $out/e2e-open-*.png)"
}

xdotool windowfocus --sync "$main" 2>/dev/null
xdotool key --clearmodifiers ctrl+o
wait_for find_other || fail "no open dialog after Ctrl+O"
dialog=$other
xdotool windowfocus --sync "$dialog" 2>/dev/null
xdotool key Return
wait_for no_other || fail "Enter in the dialog did not load the offered $sample without an error"
# Where the dialog stood, the window shows once it has drawn itself again.
wait_for same_as_export || fail "loading the offered $sample again changed the window"

xdotool windowfocus --sync "$main" 2>/dev/null
xdotool key --clearmodifiers ctrl+q
wait_for ended || fail "Ctrl+Q did not end the program"
wait "$viewer_pid"
status=$?
viewer_pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status after Ctrl+Q"

start missing.qzd
find_box() { box=$(other_window) && [ "$(xdotool getwindowname "$box")" = "$box_title" ]; }
wait_for find_box || fail "no error box for a missing file named on the command line"

echo "PASS: $sample named on the command line shows as exported; Ctrl+O offers it, Ctrl+Q quits"
