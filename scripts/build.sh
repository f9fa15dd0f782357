#!/usr/bin/env bash
# Configures and builds one configuration into build/<name>: everything, or
# only the targets named.
# Usage: scripts/build.sh [release|sanitize] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
config=${1:-release}
shift || true
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
# Paths relative to the checkout, so that every clone and worktree shares one cache.
export CCACHE_BASEDIR="$PWD"
case "$config" in
  # QUILLAX_WERROR=ON (the test command sets it) makes a warning in our own code fail the build.
  release) flags=(-DQUILLAX_WERROR="${QUILLAX_WERROR:-OFF}") ;;
  # clang, so the same build also makes the libFuzzer targets.
  sanitize) flags=(-DQUILLAX_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
  *) echo "unknown configuration: $config" >&2; exit 2 ;;
esac
# Test discovery runs the sanitized test program during the build.
[ "$config" = sanitize ] && source scripts/sanitizer-env.sh
cmake -S . -B "build/$config" -G Ninja "${flags[@]}" >/dev/null
cmake --build "build/$config" -j "$(nproc)" ${1:+--target "$@"}
