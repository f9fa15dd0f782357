#!/usr/bin/env bash
# Remakes the author runs of the shipped levels (media/runs/) and the medal
# times they set in the campaign index (media/levels/campaigns.cmp): builds
# the route optimiser, then lets it search every level the index lists, or
# the levels named, from the level's route in tests/playthrough/routes/.
# The search has a fixed number of tries and a fixed seed, so the same level
# files and the same physics give the same runs and times.
# Usage: scripts/make-author-runs.sh [LEVEL_FILE...]   (level_03.map ...; every level by default)
set -euo pipefail
cd "$(dirname "$0")/.."
QUILLAX_WERROR=ON bash scripts/build.sh release route_optimiser
build/release/tools/route_optimiser/route_optimiser \
  --index media/levels/campaigns.cmp --routes tests/playthrough/routes --runs media/runs \
  --route-tries 3000 --key-tries 2000 --seed 1 "$@"
