#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the release build's
# unit, program and install tests (the programs on their own Xvfb), the .deb
# installed and removed again (as root only: it needs apt), then the unit tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer, the fuzzers'
# kept inputs, and a bounded run of each fuzzer. A throwaway PostgreSQL
# cluster serves the leaderboard server's tests and is removed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
QUILLAX_WERROR=ON bash scripts/build.sh release
# The leaderboard server's storage tests run against PostgreSQL too.
source scripts/test-postgres.sh
(cd build/release && ctest --output-on-failure -j 2)
if [ "$(id -u)" -eq 0 ]; then
  bash scripts/test-deb.sh
else
  echo "Skipping the .deb test: installing a package needs root."
fi
bash scripts/build.sh sanitize
source scripts/sanitizer-env.sh
(cd build/sanitize && ctest --output-on-failure -j 2 -E '^(program|packaging)\.')
# QUILLAX_FUZZ_SECONDS gives every fuzzer that long instead of its own time.
bash scripts/fuzz.sh ${QUILLAX_FUZZ_SECONDS:+"$QUILLAX_FUZZ_SECONDS"}
