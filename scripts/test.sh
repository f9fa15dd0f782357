#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (unit tests headless,
# program tests under their own Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh release
cd build/release
ctest --output-on-failure -j 2
