#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the pictures in docs/screenshots/: the whole window after a load of each sample model, its
# header with each model type's pictures and the four right-hand pages, all drawn by
# `qzd-viewer --export`; the window at start, which no export shows, under Xvfb; and each built-in
# picture on its own, decoded from the JPEG the program carries.
# The models are loaded as /home/pilot/models/NAME.qzd, so that the path field shows a user's
# path rather than this machine's: a private mount namespace lends them that folder, and nothing
# is left behind.
#   scripts/maintainer/screenshots.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:?usage: scripts/maintainer/screenshots.sh BUILD_DIR}
out=docs/screenshots
mkdir -p "$out"

work=$(mktemp -d /tmp/qzd-screenshots.XXXXXX)
xvfb=
viewer=
trap 'kill $viewer $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT

# Exports, as the pilot would name the files: WINDOW-NAME:MODEL:PAGE ...
cp "$build/app/qzd-viewer" examples/*.qzd "$work/"
exports=(easy:trainer-easy:mixer glider:glider:mixer acro:acro:mixer heli:heli:mixer
         pages-mixer:trainer-easy:mixer pages-servo-connection:trainer-easy:servo
         pages-mode:trainer-easy:mode pages-heli:trainer-easy:heli)
unshare --mount --map-root-user bash -euc '
  work=$1
  shift
  mount -t tmpfs tmpfs /home
  mkdir -p /home/pilot/models
  cp "$work"/*.qzd /home/pilot/models/
  cd /home/pilot
  for export in "$@"; do
    IFS=: read -r name model page <<<"$export"
    HOME=/home/pilot "$work/qzd-viewer" --export "$work/$name.png" --page "$page" \
      "/home/pilot/models/$model.qzd"
  done' bash "$work" "${exports[@]}"

for model in easy glider acro heli; do
  cp "$work/$model.png" "$out/window-$model.png"
  # The header row with the type field and the type pictures beside it.
  convert "$work/$model.png" -crop 300x52+280+44 +repage "$out/header-$model.png"
done
# The page area is the frame at (296, 96), 609 x 441.
for page in mixer servo-connection mode heli; do
  convert "$work/pages-$page.png" -crop 609x441+296+96 +repage "$out/page-$page.png"
done

# The window at start, on a private X server without a window manager, where the client area
# stands at (37, 86) on the screen.
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
DISPLAY=$display "$build/app/qzd-viewer" >/dev/null 2>&1 &
viewer=$!
sleep 1.5
DISPLAY=$display import -window root -crop 916x547+37+86 +repage "$out/window-start.png"

for picture in aeroplane glider helicopter servo-connection mode heli; do
  convert "window/assets/$picture.jpg" "$out/picture-$picture.png"
done
echo "screenshots in $out"
