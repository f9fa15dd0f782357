#!/usr/bin/env bash
# How much of the file readers the fuzzers reach: builds the fuzz targets with
# clang's source-based coverage in build/coverage (no sanitizers), runs every
# input kept for them once (the corpora scripts/fuzz.sh left in
# build/sanitize/fuzz/NAME/corpus, the seeds, the regressions and the shipped
# levels), and reports on each reader's sources: a table on stdout and in
# build/coverage/report/READER.txt, every line and branch in
# build/coverage/report/html/index.html.
# Usage: scripts/coverage.sh [READER...]   (level campaign replay progress settings)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$root/build/coverage
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
export CCACHE_BASEDIR="$root"

# Each reader: the fuzz targets that read its files, and its sources.
declare -A fuzzers=([level]="level_document level_reader" [campaign]=campaign_reader [replay]=replay_reader
                    [progress]=progress_reader [settings]=settings_reader)
declare -A sources=(
  [level]="app/xml_text_scan.cpp app/load_xml.cpp level/level_document.cpp level/level_limits.cpp level/level.cpp
           level/level_values.cpp level/game_object.cpp objects/*.cpp"
  [campaign]="states/campaign_object.cpp states/level_entry.cpp records/medal_times.cpp"
  [replay]="records/replay.cpp records/replay_text.cpp records/record_text.cpp"
  [progress]="records/progress_store.cpp records/record_text.cpp records/medal_times.cpp"
  [settings]="app/game_settings.cpp app/key_bindings.cpp app/key_names.cpp app/window_size.cpp"
)
readers=("$@")
[ ${#readers[@]} -gt 0 ] || readers=(level campaign replay progress settings)
targets=()
for reader in "${readers[@]}"; do
  [ -n "${fuzzers[$reader]+set}" ] || { echo "unknown reader: $reader (level campaign replay progress settings)" >&2; exit 2; }
  for name in ${fuzzers[$reader]}; do targets+=("fuzz_$name"); done
done

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DQUILLAX_COVERAGE=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

rm -rf "$build/profiles" "$build/report"
mkdir -p "$build/profiles" "$build/report/html"
for reader in "${readers[@]}"; do
  objects=()
  for name in ${fuzzers[$reader]}; do
    # Absolute paths: the level and campaign targets work in folders of their own.
    inputs=()
    for folder in "$root/build/sanitize/fuzz/$name/corpus" "$root/tests/fuzz/seeds/$name" \
        "$root/tests/fuzz/regressions/$name"; do
      [ -d "$folder" ] && inputs+=("$folder")
    done
    [[ $name == level_* ]] && inputs+=("$root/media/levels" "$root/tests/fuzz/seeds/levels")
    LLVM_PROFILE_FILE="$build/profiles/$reader.$name.%p.profraw" "$build/tests/fuzz/fuzz_$name" -runs=0 \
      "${inputs[@]}" >"$build/report/$name.log" 2>&1
    echo "fuzz_$name: $(grep -o 'Done [0-9]* runs' "$build/report/$name.log")"
    objects+=(-object "$build/tests/fuzz/fuzz_$name")
  done
  llvm-profdata merge -sparse "$build/profiles/$reader".*.profraw -o "$build/profiles/$reader.profdata"
  files=()
  # shellcheck disable=SC2086 # the source lists are globs
  for file in ${sources[$reader]}; do files+=("$root/$file"); done
  # The compiler saw the sources through ccache's relative paths.
  read_by=(-instr-profile="$build/profiles/$reader.profdata" -path-equivalence="$build/../..,$root"
           "${objects[@]:1}" "${files[@]}")
  llvm-cov report "${read_by[@]}" | tee "$build/report/$reader.txt"
  llvm-cov show "${read_by[@]}" -format=html -show-branches=count -output-dir="$build/report/html/$reader"
done
{
  echo "<html><body><h1>What the fuzzers' inputs reach of each reader</h1><ul>"
  for reader in "${readers[@]}"; do echo "<li><a href=\"$reader/index.html\">$reader</a></li>"; done
  echo "</ul></body></html>"
} >"$build/report/html/index.html"
echo "Report: $build/report/html/index.html"
