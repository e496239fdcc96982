#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Without a display the viewer says so in one line and exits non-zero, with no abort trace.
# Usage: no_display.sh VIEWER
set -uo pipefail
viewer=$1
status=0
for display in "" ":99999"; do
  output=$(cd /tmp && env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" \
    "$viewer" 2>&1 </dev/null)
  code=$?
  lines=$(printf '%s\n' "$output" | grep -c .)
  if [ "$code" -eq 0 ] || [ "$code" -ge 128 ] || [ "$lines" -ne 1 ] ||
    ! grep -q 'xvfb-run' <<<"$output"; then
    echo "FAIL with DISPLAY='$display': exit $code, output:"
    printf '%s\n' "$output"
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "PASS"
exit "$status"
