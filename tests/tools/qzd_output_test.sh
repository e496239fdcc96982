#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Output that cannot be written is never reported as success: the real qzd on a full device, a
# closed standard output and a pipe whose reader has gone.
# Usage: qzd_output_test.sh QZD MODEL
set -uo pipefail
qzd=$1
model=$2

scratch=$(mktemp -d "${TMPDIR:-/tmp}/qzd-output-test.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# A pipe without a reader: opened read-write first so that the writer's open does not wait, then
# the reading side is closed.
mkfifo "$scratch/fifo"
exec 3<>"$scratch/fifo" 4>"$scratch/fifo" 3<&-

# A reader that stops early ends qzd by SIGPIPE (status 141), unless this script was started with
# SIGPIPE ignored, which no shell can undo: then the write fails as in the case below.
sigpipe=141
(($(printf '%d' "0x$(awk '/^SigIgn/ {print $2}' /proc/$$/status)") & (1 << 12))) && sigpipe=2

full='No space left on device'
closed='Bad file descriptor'
# stdout | arguments | exit status | stderr (a broken pipe needs no message: the reader left)
cases=(
  "full|json $model|2|qzd: write error: $full"
  "full|show $model|2|qzd: write error: $full"
  "full|diff $model $model|2|qzd: write error: $full"
  "full|--help|2|qzd: write error: $full"
  "closed|show $model|2|qzd: write error: $closed"
  "closed|json $model|2|qzd: write error: $closed"
  "widowed-pipe|json $model|2|"
  "reader-gone|json $model|$sigpipe|"
  "null|json $model|0|"
)

failures=0
for entry in "${cases[@]}"; do
  IFS='|' read -r stdout arguments want_status want_err <<<"$entry"
  read -ra words <<<"$arguments"
  case $stdout in
    full) "$qzd" "${words[@]}" >/dev/full 2>"$scratch/err" ;;
    closed) "$qzd" "${words[@]}" >&- 2>"$scratch/err" ;;
    # SIGPIPE ignored, as some callers leave it, so that the write itself fails with EPIPE.
    widowed-pipe) (trap '' PIPE && exec "$qzd" "${words[@]}" >&4 2>"$scratch/err") ;;
    reader-gone) "$qzd" "${words[@]}" >&4 2>"$scratch/err" ;;
    null) "$qzd" "${words[@]}" >/dev/null 2>"$scratch/err" ;;
  esac
  status=$?
  err=$(cat "$scratch/err")
  if [ "$status" != "$want_status" ] || [ "$err" != "$want_err" ]; then
    echo "FAIL: qzd $arguments with $stdout stdout: exit $status, stderr '$err';" \
      "wanted exit $want_status, stderr '$want_err'" >&2
    failures=$((failures + 1))
  fi
done
[ "$failures" -eq 0 ] && echo "PASS: ${#cases[@]} cases"
exit $((failures != 0))
