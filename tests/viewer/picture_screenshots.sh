#!/usr/bin/env bash
# Takes the screenshots of the picture pages and of the header's type pictures, at natural size,
# into docs/screenshots/, under Xvfb: each page is reached by clicking ">>" as a user would. Also
# writes each built-in picture on its own, decoded from the JPEG the program carries.
#   tests/viewer/picture_screenshots.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:?usage: tests/viewer/picture_screenshots.sh BUILD_DIR}
show="$build/tests/viewer/viewer_show_model"
out=docs/screenshots
mkdir -p "$out"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
sleep 1
export DISPLAY=$display

# Without a window manager the client area stands at (37, 86) on the screen.
origin_x=37 origin_y=86
grab() {  # NAME WIDTH HEIGHT X Y (in client coordinates)
  import -window root -crop "$2x$3+$((origin_x + $4))+$((origin_y + $5))" +repage "$out/$1.png"
}
advance() {  # one click on ">>", at the bottom right of the page area
  xdotool mousemove $((origin_x + 891)) $((origin_y + 528)) click 1
  sleep 0.6
}

"$show" examples/trainer-easy.qzd >/dev/null 2>&1 &
viewer=$!
sleep 1.5
# The page area is the frame at (296, 96), 609 x 441.
grab page-mixer 609 441 296 96
advance
grab page-servo-connection 609 441 296 96
advance
grab page-mode 609 441 296 96
advance
grab page-heli 609 441 296 96
kill "$viewer"
wait "$viewer" 2>/dev/null || true

# The header row with the type field and the type pictures beside it.
for model in trainer-easy:easy glider:glider acro:acro heli:heli; do
  "$show" "examples/${model%%:*}.qzd" >/dev/null 2>&1 &
  viewer=$!
  sleep 1.5
  grab "header-${model##*:}" 300 52 280 44
  kill "$viewer"
  wait "$viewer" 2>/dev/null || true
done
for picture in aeroplane glider helicopter servo-connection mode heli; do
  convert "viewer/pictures/$picture.jpg" "$out/picture-$picture.png"
done
echo "screenshots in $out"
