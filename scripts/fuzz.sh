#!/usr/bin/env bash
# Explores with each fuzzer of the sanitizer build for a bounded time and
# fails on any crash, leak, hang or sanitizer report; a failing input is left
# in build/sanitize/fuzz/NAME/ (keep it in tests/fuzz/regressions/NAME/).
# Usage: scripts/fuzz.sh [SECONDS]   (60 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
# Absolute paths: the level and campaign targets work in folders of their own.
root=$(pwd)
seconds=${1:-60}
source scripts/sanitizer-env.sh
build=$root/build/sanitize

explore() {
  local name=$1 work=$build/fuzz/$1
  mkdir -p "$work/corpus"
  if ! "$build/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$work/" "$work/corpus" "$root/tests/fuzz/seeds/$name" "$root/tests/fuzz/regressions/$name" \
      >"$work/log.txt" 2>&1; then
    tail -40 "$work/log.txt"
    echo "fuzz_$name failed; the input is in $work/"
    return 1
  fi
  echo "fuzz_$name: $(grep -c . "$work/log.txt") log lines, $(tail -1 "$work/log.txt")"
}

status=0
pids=()
for name in level_reader campaign_reader wrap_text replay_reader progress_reader settings_reader; do
  explore "$name" & pids+=($!)
done
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
exit $status
