#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts the real viewer on a private X server with the first of a folder of models and drives
# it with the real keys: Ctrl+Shift+C puts `qzd show`'s text on the clipboard, Page Down and Page
# Up step through the folder in the file manager's order and wrap around, F5 shows a changed file
# anew, Ctrl+S with the dialog's offered name writes the PNG that --export writes, and a
# right-click outside the fields opens the context menu, which Escape closes.
# Usage: model_commands_e2e.sh VIEWER QZD EXAMPLES_DIR OUTPUT_DIR
# Exit 77 (skipped) when Xvfb, xdotool, xclip or ImageMagick is missing.
set -uo pipefail

viewer=$1
qzd=$2
examples=$3
out=$4
main_title='Tarnell QZ Model data viewer'

# shellcheck source=tests/e2e/x_server.sh
source "$(dirname "$0")/x_server.sh"
require_tools Xvfb xdotool xclip import compare

mkdir -p "$out"
work=$(mktemp -d "$out/model-commands.XXXXXX")
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
  import -window root "$out/e2e-commands-failure.png" 2>/dev/null
  [ -f "$work/viewer.log" ] && sed 's/^/viewer: /' "$work/viewer.log"
  exit 1
}

models=$work/models
mkdir -p "$models" "$work/home"
cp "$examples/glider.qzd" "$models/a1.qzd"
cp "$examples/heli.qzd" "$models/a2.qzd"
cp "$examples/acro.qzd" "$models/a10.qzd"
cp "$examples/trainer-easy.qzd" "$models/B3.qzd"

start_x_server
export QT_QPA_PLATFORM=xcb NO_AT_BRIDGE=1 HOME=$work/home XDG_CONFIG_HOME=$work/home/.config \
  XDG_CACHE_HOME=$work/home/.cache XDG_DATA_HOME=$work/home/.local/share
"$viewer" "$models/a1.qzd" >"$work/viewer.log" 2>&1 &
viewer_pid=$!
wait_for find_main || fail "the main window did not appear"
press() { xdotool windowfocus --sync "$main" 2>/dev/null; xdotool key --clearmodifiers "$1"; }

# The clipboard holds `qzd show`'s text after the loads the window has made, the last MODEL: one
# store for the whole run, as in the window.
loaded=()
shows() {  # MODEL
  "$qzd" show "${loaded[@]}" "$models/$1" >"$work/expected.txt"
  press ctrl+shift+c
  xclip -o -selection clipboard >"$work/clipboard.txt" 2>/dev/null &&
    cmp -s "$work/clipboard.txt" "$work/expected.txt"
}
wait_for shows a1.qzd || fail "Ctrl+Shift+C did not copy qzd show's text of a1.qzd"
loaded+=("$models/a1.qzd")

for step in Page_Down:a2.qzd Page_Down:a10.qzd Page_Down:B3.qzd Page_Down:a1.qzd Page_Up:B3.qzd; do
  press "${step%%:*}"
  wait_for shows "${step#*:}" || fail "${step%%:*} did not lead to ${step#*:}"
  loaded+=("$models/${step#*:}")
done

cp "$examples/glider.qzd" "$models/B3.qzd"
press F5
wait_for shows B3.qzd || fail "F5 did not show B3.qzd as it is now"

"$viewer" --export "$work/export.png" "$models/B3.qzd" || fail "the export of B3.qzd failed"
press ctrl+s
wait_for find_other || fail "no save dialog after Ctrl+S"
xdotool windowfocus --sync "$other" 2>/dev/null
xdotool key Return
wait_for no_other || fail "the save dialog did not close on Return"
saved_as_export() {
  [ -f "$models/B3.png" ] &&
    [ "$(compare -metric AE "$models/B3.png" "$work/export.png" null: 2>&1)" = 0 ]
}
wait_for saved_as_export || fail "Ctrl+S did not write B3.png as --export does"

eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 600)) $((Y + 20)) click 3
wait_for find_other || fail "no context menu on a right-click outside the fields"
xdotool key Escape
wait_for no_other || fail "Escape did not close the context menu"

echo "PASS: copy, Page Down and Up, F5, Ctrl+S and the context menu with the real keys"
