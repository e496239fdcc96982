#!/usr/bin/env bash
# Takes the window screenshots in docs/screenshots/: the window at start and after a fill from
# each sample model, under Xvfb.
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
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
sleep 1

shoot() {  # NAME [MODEL]
  DISPLAY=$display "$show" "${@:2}" >/dev/null 2>&1 &
  local viewer=$!
  sleep 1.5
  # Without a window manager the client area stands at (37, 86) on the screen.
  DISPLAY=$display import -window root -crop 916x547+37+86 +repage "$out/$1.png"
  kill "$viewer"
  wait "$viewer" 2>/dev/null || true
}

shoot window-start
shoot window-easy examples/trainer-easy.qzd
shoot window-glider examples/glider.qzd
shoot window-acro examples/acro.qzd
shoot window-heli examples/heli.qzd
echo "screenshots in $out"
