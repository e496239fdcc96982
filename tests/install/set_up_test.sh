#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# On a machine where every package is missing, each command's set-up asks apt for its own packages
# only: scripts/run for the viewer's, without the browsers, Wine, Emscripten or the cross compiler.
# dpkg-query, apt-get, id and cmake are stand-ins that report nothing installed, record what is
# asked, and stop each command right after its set-up.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
stubs=$(mktemp -d)
trap 'rm -rf "$stubs"' EXIT
printf '#!/bin/sh\nexit 1\n' >"$stubs/dpkg-query"
printf '#!/bin/sh\n[ "$1" = install ] && echo "$*" >>"%s/asked"\nexit 0\n' "$stubs" >"$stubs/apt-get"
printf '#!/bin/sh\necho 0\n' >"$stubs/id"
printf '#!/bin/sh\nexit 3\n' >"$stubs/cmake"
chmod +x "$stubs"/*

fail() { echo "FAIL: $*" >&2; exit 1; }
asked() {  # COMMAND...: the packages the command's set-up asks for
  rm -f "$stubs/asked"
  PATH="$stubs:$PATH" "$@" >/dev/null 2>&1 </dev/null || true
  [ -f "$stubs/asked" ] || fail "$* asked for nothing"
  tr ' ' '\n' <"$stubs/asked" | grep -v '^-' | grep -v '^install$' | sort
}

viewer=$(asked "$root/scripts/run")
for wanted in qt6-base-dev libjpeg62-turbo-dev fonts-liberation cmake; do
  grep -qx "$wanted" <<<"$viewer" || fail "scripts/run does not ask for $wanted"
done
for unwanted in wine wine64 chromium firefox-esr emscripten g++-mingw-w64-x86-64-posix nsis xvfb \
  python3-selenium libgtest-dev; do
  ! grep -qx "$unwanted" <<<"$viewer" || fail "scripts/run asks for $unwanted"
done
web=$(asked "$root/scripts/build-web")
grep -qx emscripten <<<"$web" && ! grep -qx qt6-base-dev <<<"$web" || fail "build-web: $web"
windows=$(asked "$root/scripts/build-windows")
grep -qx nsis <<<"$windows" && ! grep -qx wine <<<"$windows" || fail "build-windows: $windows"
grep -qx wine <<<"$(asked "$root/scripts/build-windows" --test)" || fail "build-windows --test"
echo "PASS: scripts/run asks for $(wc -l <<<"$viewer") packages, the viewer's"
