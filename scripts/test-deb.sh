#!/usr/bin/env bash
# The .deb, end to end (as root, after a release build): cpack makes it,
# lintian finds no error in it, apt installs it with the dependencies it
# declares, every file the installed game loads by name comes from a package
# it depends on, the installed game starts from any folder under Xvfb, and
# apt removes it again.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$PWD/build/release
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -f "$build"/quillax_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/quillax_*.deb)
lintian --fail-on error "$deb"

# A run that was stopped half-way may have left it installed.
dpkg-query -W -f='${Status}' quillax 2>/dev/null | grep -q "install ok installed" && apt-get remove -y -qq quillax >/dev/null
trap 'apt-get remove -y -qq quillax >/dev/null' EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null

# This machine has the -dev packages too, so a started game cannot prove the
# package's dependencies: check each file it loads by name against the file
# lists of the packages the .deb depends on.
depends=$(dpkg-query -W -f='${Depends}' quillax | tr ',' '\n' | sed 's/^ *//; s/[ (|].*//' | sort -u)
data=/usr/share/games/quillax
plugin_dir=$(sed -n 's/^PluginFolder=//p' "$data/plugins.cfg")
# OGRE loads a plug-in named NAME from NAME.so.VERSION (the unversioned .so
# comes only with the -dev package).
loaded=""
for plugin in $(sed -n 's/^Plugin=//p' "$data/plugins.cfg"); do
  files=("$plugin_dir/$plugin".so.[0-9]*)
  [ -e "${files[0]}" ] || fail "no versioned $plugin_dir/$plugin.so.* for the plug-in $plugin"
  loaded+="${files[*]}"$'\n'
done
loaded+=$(sed -n 's|^FileSystem=\(/.*\)|\1|p' "$data/resources.cfg" | xargs -r -I{} find {} -type f)
loaded+=$'\n'$(find "$data" -type l -exec readlink -f {} \;)
for file in $loaded; do
  [ -e "$file" ] || fail "the installed game loads $file, which is missing"
  owner=$(dpkg -S "$file" 2>/dev/null | cut -d: -f1) || fail "$file belongs to no package"
  grep -qx "$owner" <<<"$depends" || fail "$file comes from $owner, which quillax does not depend on"
done

# The levels' author runs come with them.
[ "$(ls "$data/media/runs")" = "$(ls media/runs)" ] || fail "the package's author runs differ from media/runs/"

bash tests/packaging/check_installed_game.sh /usr "$build"
apt-get remove -y -qq quillax >/dev/null
trap - EXIT
# A file the game wrote into its data folder would keep the folder after removal.
for left in /usr/games/quillax /usr/share/games/quillax; do
  [ ! -e "$left" ] || fail "apt-get remove left $left: $(find "$left" | head)"
done
echo "PASS: the .deb"
