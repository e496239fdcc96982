#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What this build makes names the project's version: both programs' --version, the man pages'
# footers, and the metainfo's newest release (written by hand with its notes, so that a new
# version without them fails here). scripts/release checks the Windows and web files.
# Usage: version_test.sh VERSION BUILD_DIR QZD QZD_VIEWER
set -euo pipefail
version=$1 build=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
failures=0
expect() {  # WHAT SAID WANTED
  [ "$2" = "$3" ] || { echo "FAIL: $1 says '$2', not '$3'" >&2; failures=$((failures + 1)); }
}
for program in "$3" "$4"; do
  name=$(basename "$program")
  expect "$name --version" "$(QT_QPA_PLATFORM=offscreen "$program" --version)" "$name $version"
  footer=$(sed -n 's/^\.TH [^"]*"[^"]*" "\([^"]*\)".*/\1/p' "$build/packaging/$name.1")
  expect "$name(1)" "$footer" "qzd-viewer $version"
done
expect "the metainfo's newest release" "$(grep -o -m1 '<release version="[^"]*"' \
  "$root/packaging/org.qzdviewer.QzdViewer.metainfo.xml" | cut -d'"' -f2)" "$version"
[ $failures -eq 0 ] || exit 1
echo "PASS: every version carrier of the build names $version"
