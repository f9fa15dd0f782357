#!/usr/bin/env bash
# route_optimiser as scripts/make-author-runs.sh runs it, on a small index
# listing First Roll: it writes the level's author run under its replay name
# and the medal times it sets into the level's entry, changes nothing else in
# the index, and the level checker finds the times are the run's. A level the
# index does not list is refused, and so is bad usage.
set -u
BUILD_DIR=$1
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
tool="$BUILD_DIR/tools/route_optimiser/route_optimiser"
levels="$WORK/media/levels"
mkdir -p "$levels"
cp "$SOURCE/media/levels/level_01.map" "$levels/"
cat >"$WORK/before.cmp" <<'INDEX'
<?xml version="1.0" encoding="UTF-8"?>
<Campaigns>
  <!-- First Roll alone -->
  <Campaign name="One">
    <Levels>
      <Level filename="level_01.map"   preview_file="level_01_pre.png" />
    </Levels>
  </Campaign>
</Campaigns>
INDEX
cp "$WORK/before.cmp" "$levels/campaigns.cmp"

optimise() {
  "$tool" --index "$levels/campaigns.cmp" --routes "$SOURCE/tests/playthrough/routes" --runs "$WORK/media/runs" \
    --route-tries 20 --key-tries 20 "$@" >"$WORK/out" 2>"$WORK/err"
}
optimise level_01.map || fail "route_optimiser failed: $(cat "$WORK/err")"
grep -Eq '^level_01\.map: bot [0-9.]+ s, route search [0-9.]+ s, keys search [0-9.]+ s \(gold [0-9.]+, silver [0-9.]+, bronze [0-9.]+\), searched for' "$WORK/out" \
  || fail "no report line for level_01.map: $(cat "$WORK/out")"
run="$WORK/media/runs/level_01.map.replay"
[ -f "$run" ] || fail "no author run $run"
[ "$(sed -n 's/^level //p' "$run")" = level_01.map ] || fail "the run is not of level_01.map"
grep -Eq '<Level filename="level_01.map"   preview_file="level_01_pre.png" gold="[0-9]+\.[0-9]" silver="[0-9]+\.[0-9]" bronze="[0-9]+\.[0-9]" />' \
  "$levels/campaigns.cmp" || fail "no medal times on the entry: $(grep '<Level ' "$levels/campaigns.cmp")"
diff <(sed 's/ gold="[^"]*" silver="[^"]*" bronze="[^"]*"//' "$levels/campaigns.cmp") "$WORK/before.cmp" >/dev/null \
  || fail "the index changed beyond the medal times: $(diff "$levels/campaigns.cmp" "$WORK/before.cmp")"
# The checker reads the run beside the levels and finds nothing wrong.
"$BUILD_DIR/run/level_checker" --root "$BUILD_DIR/run" "$levels/campaigns.cmp" >"$WORK/checked" 2>/dev/null \
  || fail "the level checker disagrees: $(cat "$WORK/checked")"

optimise level_99.map && fail "a level the index does not list was made"
grep -q "level_99.map: not in" "$WORK/err" || fail "no word about level_99.map: $(cat "$WORK/err")"
"$tool" --index "$levels/campaigns.cmp" --route-tries many >/dev/null 2>&1
[ $? -eq 2 ] || fail "bad usage did not end with exit code 2"
echo PASS
