#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game from its runnable folder.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ]; then
  echo "quillax needs an X display (DISPLAY is not set); run it from a desktop session." >&2
  exit 1
fi
bash scripts/install-deps.sh
bash scripts/build.sh release
cd build/release/run
exec ./quillax
