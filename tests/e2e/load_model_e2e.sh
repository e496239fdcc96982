#!/usr/bin/env bash
# Starts the real viewer on a private X server, loads a sample model through the real open dialog
# with xdotool, checks that the window shows it, then loads a bad file and closes the error box.
# Usage: load_model_e2e.sh VIEWER EXAMPLES_DIR OUTPUT_DIR
# Exit 77 (skipped) when Xvfb, xdotool or ImageMagick is missing.
set -uo pipefail

viewer=$1
examples=$2
out=$3
sample=trainer-easy.qzd
main_title='Tarnell QZ Model data viewer'
box_title='DODeruzudevir'

for tool in Xvfb xdotool import; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/install-deps installs it)"
    exit 77
  fi
done

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
  shot failure
  [ -f "$work/viewer.log" ] && sed 's/^/viewer: /' "$work/viewer.log"
  exit 1
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

click_load_model() {
  # "load model" is at (432, 24), 65 x 20.
  xdotool mousemove --sync $((win_x + 464)) $((win_y + 34)) click 1
  wait_for 100 find_other || fail "no open dialog after a click on load model"
  dialog=$other
  xdotool windowfocus --sync "$dialog" 2>/dev/null
}

# Types a path over whatever the dialog offers and accepts it. A completion list may take the
# first Enter.
choose_in_dialog() {
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 5 "$1"
  sleep 0.3
  xdotool key Return
  wait_for 20 gone "$dialog" || xdotool key Return
  wait_for 50 gone "$dialog" || fail "the open dialog did not close on Enter"
}

# A private X server on a free display number.
mkfifo "$work/displayfd"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/displayfd" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 20 display_number <"$work/displayfd" || { cat "$work/xvfb.log"; fail "Xvfb did not start"; }
export DISPLAY=":$display_number"
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb NO_AT_BRIDGE=1
mkdir -p "$out"

printf '12\n<b>oops</b>\n' >"$work/bad.qzd"

(cd "$examples" && exec "$viewer") >"$work/viewer.log" 2>&1 &
viewer_pid=$!

find_main() { main=$(xdotool search --onlyvisible --name "^$main_title\$" 2>/dev/null | head -n 1); [ -n "$main" ]; }
wait_for 200 find_main || fail "the main window did not appear"
title=$(xdotool getwindowname "$main")
[ "$title" = "$main_title" ] || fail "window title is '$title', not '$main_title'"
eval "$(xdotool getwindowgeometry --shell "$main")"
win_x=$X win_y=$Y
[ "${WIDTH}x${HEIGHT}" = 916x547 ] || fail "client area is ${WIDTH}x${HEIGHT}, not 916x547"
sleep 0.5
shot 1-start

# The type pictures (aeroplane at 384, 64 and glider at 432, 64) are hidden until a fill shows
# them, so their place is plain window background.
[ "$(colours_at 384 64 97 18)" = 1 ] || fail "type picture area is not plain background at start"

click_load_model
shot 2-dialog
choose_in_dialog "$examples/$sample"
wait_for 20 no_other || fail "a window of the viewer other than the main one is still open"
check_pictures() { [ "$(colours_at 384 64 97 18)" -gt 2 ]; }
wait_for 50 check_pictures || fail "no type picture shows after loading $sample"
shot 3-loaded

click_load_model
choose_in_dialog "$work/bad.qzd"
find_box() { box=$(other_window) && [ "$(xdotool getwindowname "$box")" = "$box_title" ]; }
wait_for 50 find_box || fail "no error box titled $box_title after loading a bad file"
shot 4-error
xdotool windowfocus --sync "$box" 2>/dev/null
xdotool key Return
wait_for 50 gone "$box" || fail "the error box did not close on Enter"
wait_for 20 no_other || fail "a window of the viewer other than the main one is still open"
kill -0 "$viewer_pid" 2>/dev/null || fail "the viewer ended after the error box"
check_pictures || fail "the failed load changed the window"
shot 5-after-error

echo "PASS: loaded $sample, saw the error box for a bad file; screenshots in $out"
