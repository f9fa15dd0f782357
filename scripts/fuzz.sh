#!/usr/bin/env bash
# Explores with the fuzzers of the sanitizer build, each for a time of its
# own and as many at once as the machine has cores, and fails on any crash,
# leak, hang or sanitizer report. A failing input is left in
# build/sanitize/fuzz/NAME/ (keep it in tests/fuzz/regressions/NAME/); what
# each run learns stays in build/sanitize/fuzz/NAME/corpus/ for the next.
# Usage: scripts/fuzz.sh [SECONDS | NAME=SECONDS...] [-LIBFUZZER_FLAG...]
#   (nothing)      CI's times below: about a minute on two cores
#   SECONDS        every target for that long
#   NAME=SECONDS   only the targets named, each for its time
#   -flag=value    passed on to libFuzzer, e.g. -fork=2 -ignore_crashes=1
set -euo pipefail
cd "$(dirname "$0")/.."
# Absolute paths: the level and campaign targets work in folders of their own.
root=$(pwd)
source scripts/sanitizer-env.sh
build=$root/build/sanitize

# The level readers get most: the deep one builds every input into a level
# (about a hundred a second), the fast one reads and checks some twenty
# thousand; the others are small readers that cover themselves in seconds.
# Longest first, for packing.
declare -A seconds=([level_document]=40 [level_reader]=40 [campaign_reader]=10 [replay_reader]=10
                    [progress_reader]=10 [settings_reader]=10 [wrap_text]=5
                    [run_submission]=10 [submit_answer]=10 [top_answer]=10 [rank_answer]=10 [online_queue]=10
                    [shared_list]=10)
targets=(level_document level_reader campaign_reader replay_reader progress_reader settings_reader run_submission
         submit_answer top_answer rank_answer online_queue shared_list wrap_text)
flags=()
named=()
for argument in "$@"; do
  case "$argument" in
    -*) flags+=("$argument") ;;
    *=*)
      name=${argument%%=*}
      [ -n "${seconds[$name]+set}" ] || { echo "unknown fuzz target: $name (${targets[*]})" >&2; exit 2; }
      seconds[$name]=${argument#*=}
      named+=("$name") ;;
    *) for name in "${targets[@]}"; do seconds[$name]=$argument; done ;;
  esac
done
[ ${#named[@]} -gt 0 ] && targets=("${named[@]}")

explore() {
  local name=$1 work=$build/fuzz/$1
  local inputs=("$root/tests/fuzz/regressions/$name") extra=()
  [ -d "$root/tests/fuzz/seeds/$name" ] && inputs+=("$root/tests/fuzz/seeds/$name")
  if [[ $name == level_* ]]; then
    inputs+=("$root/media/levels" "$root/tests/fuzz/seeds/levels")
    extra+=(-dict="$root/tests/fuzz/level.dict")
  fi
  # Small inputs run fastest: 8 KB hold most shipped levels whole and a text
  # beyond the longest a level may have (longer seeds are cut there).
  [ "$name" = level_document ] && extra+=(-max_len=8192)
  mkdir -p "$work/corpus"
  if ! "$build/tests/fuzz/fuzz_$name" -max_total_time="${seconds[$name]}" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$work/" "${extra[@]}" "${flags[@]}" "$work/corpus" "${inputs[@]}" \
      >"$work/log.txt" 2>&1; then
    tail -40 "$work/log.txt"
    echo "fuzz_$name failed; the input is in $work/: once fixed, keep it as tests/fuzz/regressions/$name/<what it holds>"
    return 1
  fi
  echo "fuzz_$name (${seconds[$name]} s): $(grep -c . "$work/log.txt") log lines, $(tail -1 "$work/log.txt")"
}

status=0
running=0
slots=$(nproc)
for name in "${targets[@]}"; do
  if [ "$running" -ge "$slots" ]; then
    wait -n || status=1
    running=$((running - 1))
  fi
  explore "$name" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || status=1
  running=$((running - 1))
done
exit $status
