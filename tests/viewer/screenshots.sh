#!/usr/bin/env bash
# Takes the screenshots in docs/screenshots/ under Xvfb: the whole window at start and after a
# fill from each sample model; the four pages, each reached by clicking ">>" as a user would; the
# header with each model type's pictures; and each built-in picture on its own, decoded from the
# JPEG the program carries.
#   tests/viewer/screenshots.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:?usage: tests/viewer/screenshots.sh BUILD_DIR}
show="$build/tests/viewer/viewer_show_model"
out=docs/screenshots
mkdir -p "$out"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
viewer=
trap 'kill $viewer "$xvfb" 2>/dev/null || true' EXIT
sleep 1
export DISPLAY=$display

# Without a window manager the client area stands at (37, 86) on the screen.
origin_x=37 origin_y=86
start() {  # [MODEL]
  "$show" "$@" >/dev/null 2>&1 &
  viewer=$!
  sleep 1.5
}
stop() {
  kill "$viewer"
  wait "$viewer" 2>/dev/null || true
  viewer=
}
grab() {  # NAME WIDTH HEIGHT X Y (in client coordinates)
  import -window root -crop "$2x$3+$((origin_x + $4))+$((origin_y + $5))" +repage "$out/$1.png"
}
advance() {  # one click on ">>", at the bottom right of the page area
  xdotool mousemove $((origin_x + 891)) $((origin_y + 528)) click 1
  sleep 0.6
}

start
grab window-start 916 547 0 0
stop
for model in trainer-easy:easy glider:glider acro:acro heli:heli; do
  start "examples/${model%%:*}.qzd"
  grab "window-${model##*:}" 916 547 0 0
  # The header row with the type field and the type pictures beside it.
  grab "header-${model##*:}" 300 52 280 44
  stop
done

start examples/trainer-easy.qzd
# The page area is the frame at (296, 96), 609 x 441.
grab page-mixer 609 441 296 96
for page in servo-connection mode heli; do
  advance
  grab "page-$page" 609 441 296 96
done
stop

for picture in aeroplane glider helicopter servo-connection mode heli; do
  convert "viewer/pictures/$picture.jpg" "$out/picture-$picture.png"
done
echo "screenshots in $out"
