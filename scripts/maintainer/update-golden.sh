#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Writes the golden `qzd json` output of every sample model anew, after a deliberate change to the
# samples or the output. Review the diff before committing it.
# Usage: scripts/maintainer/update-golden.sh [BUILD_DIR]   (default build/debug)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/debug}
qzd=$build/tools/qzd/qzd
cmake --build "$build" --target qzd
for sample in examples/*.qzd; do
  name=$(basename "$sample" .qzd)
  "$qzd" json "$sample" >"tests/tools/golden/$name.jsonl"
done
