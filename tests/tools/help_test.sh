#!/usr/bin/env bash
# Every script of the project answers -h with its usage, and does nothing
# else: no install, no build.
#   usage: help_test.sh SOURCE_DIR
set -euo pipefail
cd "$1"
failed=0
for script in tools/* bench/run; do
  head -c 2 "$script" | grep -q '#!' || continue  # a table or a library, not a script
  if ! out=$(timeout 20 "$script" -h 2>&1); then
    echo "help_test: $script -h failed: $out" >&2
    failed=1
  elif ! grep -q "usage:" <<<"$out"; then
    echo "help_test: $script -h prints no usage line: $out" >&2
    failed=1
  fi
done
[ $failed = 0 ] && echo "help_test: every script answers -h"
exit $failed
