#!/usr/bin/env bash
# cmake --install lays out everything the game loads and everything a desktop
# needs: the installed data folder holds every file of the runnable folder
# (real files, fonts as links that resolve), the levels' author runs among
# them, the programs lie in games/, and the desktop entry, the metainfo, the
# icons and the man pages are where desktops and man look, and Debian's
# validators accept them.
set -u
BUILD_DIR=$1
PREFIX=$(mktemp -d)
trap 'rm -rf "$PREFIX"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
cmake --install "$BUILD_DIR" --prefix "$PREFIX/usr" >/dev/null || fail "cmake --install failed"
usr="$PREFIX/usr"
data="$usr/share/games/quillax"
run="$BUILD_DIR/run"

for program in quillax mapscout; do
  [ -x "$usr/games/$program" ] || fail "no program $usr/games/$program"
done
for file in plugins.cfg resources.cfg config.cfg; do
  [ -f "$data/$file" ] || fail "no $file in $data"
done
cmp -s "$data/config.cfg" "$(dirname "$0")/../../cmake/config.cfg" || fail "config.cfg is not the shipped default"

# Every file the game can load from the runnable folder's media, and no more.
listing() { (cd "$1" && find -L media -type f | LC_ALL=C sort); }
diff <(listing "$run") <(listing "$data") >"$PREFIX/media.diff" || fail "installed media differ from the runnable folder's: $(cat "$PREFIX/media.diff")"
# Every level of the index has its author run beside the levels, where the game looks for it.
for level in $(grep -o 'filename="[^"]*"' "$data/media/levels/campaigns.cmp" | cut -d'"' -f2); do
  [ -f "$data/media/runs/$level.replay" ] || fail "no author run media/runs/$level.replay for $level"
done
# Only the fonts are links (to Debian's fonts-linuxlibertine); they resolve.
links=$(cd "$data" && find . -type l | LC_ALL=C sort)
[ "$links" = "$(cd "$run" && find -L media/fonts -type f | sed 's|^|./|' | LC_ALL=C sort)" ] || fail "links other than the fonts: $links"
for link in $links; do
  [ -f "$data/$link" ] || fail "$link does not resolve: $(readlink "$data/$link")"
done

desktop="$usr/share/applications/quillax.desktop"
[ -f "$desktop" ] || fail "no desktop entry"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
grep -qx 'Categories=Game;ArcadeGame;' "$desktop" || fail "the desktop entry is not in Game;ArcadeGame;"
grep -qx "Exec=$usr/games/quillax" "$desktop" || fail "the desktop entry does not start $usr/games/quillax: $(grep ^Exec "$desktop")"
metainfo=$(ls "$usr"/share/metainfo/*.metainfo.xml) || fail "no metainfo"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"
grep -q '<launchable type="desktop-id">quillax.desktop</launchable>' "$metainfo" || fail "the metainfo does not launch quillax.desktop"

for size in 64 128 256; do
  icon="$usr/share/icons/hicolor/${size}x${size}/apps/quillax.png"
  [ "$(identify -format '%m %wx%h' "$icon" 2>/dev/null)" = "PNG ${size}x${size}" ] || fail "$icon is not a ${size}x${size} PNG"
done
svg="$usr/share/icons/hicolor/scalable/apps/quillax.svg"
# The scalable icon draws the same picture as the PNGs.
# (A mirrored PNG differs by about 0.23, a plain tile by 0.57.)
rsvg-convert -w 64 -h 64 -b white -o "$PREFIX/svg64.png" "$svg" || fail "$svg does not render"
convert "$usr/share/icons/hicolor/64x64/apps/quillax.png" -background white -flatten "$PREFIX/png64.png"
difference=$(compare -metric RMSE "$PREFIX/svg64.png" "$PREFIX/png64.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
awk -v d="$difference" 'BEGIN { exit !(d < 0.2) }' || fail "the SVG icon differs from the PNG (RMSE $difference)"

for page in quillax mapscout; do
  man_page="$usr/share/man/man6/$page.6.gz"
  [ -f "$man_page" ] || fail "no $man_page"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$man_page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page.6 gives roff warnings: $warnings"
done
echo "PASS"
