#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package from this build tree with CPack and checks what it holds and what it
# asks apt to install with it.
# Usage: package_test.sh BUILD_DIR
set -euo pipefail
build_dir=$1
app_id=org.qzdviewer.QzdViewer

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/qzd-package-test.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

if ! cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log" >&2
  echo "FAIL: cpack -G DEB" >&2
  exit 1
fi
packages=("$scratch"/qzd-viewer_*.deb)
if [ ${#packages[@]} -ne 1 ] || [ ! -f "${packages[0]}" ]; then
  echo "FAIL: expected one qzd-viewer_*.deb, found: ${packages[*]}" >&2
  exit 1
fi
deb=${packages[0]}

# Paths only: ./usr/bin/qzd and so on.
files=$(dpkg-deb -c "$deb" | awk '{ print $NF }' | sed 's|^\./|/|')
expected=(
  /usr/bin/qzd
  /usr/bin/qzd-viewer
  /usr/share/applications/$app_id.desktop
  /usr/share/metainfo/$app_id.metainfo.xml
  /usr/share/mime/packages/$app_id.xml
  /usr/share/icons/hicolor/48x48/apps/$app_id.png
  /usr/share/icons/hicolor/256x256/apps/$app_id.png
  /usr/share/man/man1/qzd.1.gz
  /usr/share/man/man1/qzd-viewer.1.gz
  /usr/share/bash-completion/completions/qzd
  /usr/share/bash-completion/completions/qzd-viewer
  /usr/share/doc/qzd-viewer/copyright
)
for file in "${expected[@]}"; do
  grep -qx -- "$file" <<<"$files" || fail "package lacks $file"
done
grep -q '^/usr/share/doc/qzd-viewer/examples/.*\.qzd$' <<<"$files" ||
  fail "package lacks the sample models"
# Nothing of the build (static libraries, headers, tests, benchmarks) and nothing outside the
# directories a desktop program owns.
strays=$(grep -v -E '^/(usr/?|usr/(bin|share)/?|usr/bin/qzd(-viewer)?|usr/share/(applications|metainfo|mime|icons|man|bash-completion|doc)(/.*)?)$' <<<"$files" || true)
[ -z "$strays" ] || fail "package holds files it should not: $strays"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = qzd-viewer ] || fail "package name is '$(field Package)'"
[ "$(field Section)" = utils ] || fail "section is '$(field Section)'"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
[ -n "$(field Description)" ] || fail "no description"

# Each entry of Depends is one package, possibly with a version; split on commas.
depends=$(field Depends)
names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
for package in libqt6widgets6 libqt6gui6 libqt6core6 libjpeg62-turbo libc6 libstdc++6 \
  qt6-qpa-plugins fonts-liberation; do
  grep -qx -- "$package" <<<"$names" || fail "Depends lacks $package: $depends"
done
# Computed from the binaries, not written by hand: dpkg-shlibdeps adds minimum versions.
grep -q 'libc6 (>= ' <<<"$depends" || fail "Depends was not computed by dpkg-shlibdeps: $depends"

if [ $failures -ne 0 ]; then
  echo "$failures package check(s) failed" >&2
  exit 1
fi
echo "$(basename "$deb"): $(wc -l <<<"$files") entries"
echo "Depends: $depends"
