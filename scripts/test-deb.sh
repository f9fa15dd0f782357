#!/usr/bin/env bash
# The .debs, end to end (as root, after a release build): cpack makes them,
# lintian finds no error in it, apt installs it with the dependencies it
# declares, every file the installed game loads by name comes from a package
# it depends on, the installed game starts from any folder under Xvfb, and
# apt removes it again. The leaderboard server's package installs beside it:
# its own user and data folder, its systemd unit, a server that answers and
# stops on SIGTERM, and nothing left after purging.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$PWD/build/release
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -f "$build"/quillax_*.deb "$build"/quillax-server_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/quillax_*.deb)
lintian --fail-on error "$deb"

# Purges whichever of the two packages dpkg knows: apt refuses the whole
# purge when it names one it cannot find.
purge_ours() {
  local known=()
  for package in quillax quillax-server; do
    dpkg-query -W "$package" >/dev/null 2>&1 && known+=("$package")
  done
  [ ${#known[@]} -eq 0 ] || apt-get purge -y -qq "${known[@]}" >/dev/null
}
# A run that was stopped half-way may have left them installed.
purge_ours
trap purge_ours EXIT
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

server_deb=$(ls "$build"/quillax-server_*.deb)
lintian --fail-on error "$server_deb"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$server_deb" >/dev/null
getent passwd quillax-server >/dev/null || fail "the server's package made no quillax-server user"
[ "$(stat -c %U /var/lib/quillax-server)" = quillax-server ] || fail "/var/lib/quillax-server is not the server's"
[ -f /lib/systemd/system/quillax-server.service ] || fail "the server's package has no systemd unit"
log=$(mktemp)
# setpriv executes the server in its own place (runuser would stay between
# them and answer SIGTERM with a failure of its own), as the systemd unit's User= does.
setpriv --reuid=quillax-server --regid=quillax-server --init-groups -- \
  /usr/bin/quillax-server --data /var/lib/quillax-server --listen 127.0.0.1:0 2>"$log" &
server=$!
for _ in $(seq 600); do
  grep -q "listening on" "$log" && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
port=$(sed -n 's/.*listening on 127.0.0.1:\([0-9]*\).*/\1/p' "$log")
[ -n "$port" ] || { kill "$server" 2>/dev/null; fail "the installed server did not start: $(cat "$log")"; }
grep -q "shipped levels from /usr/share/games/quillax/media/levels" "$log" ||
  { kill "$server"; fail "the installed server did not find the game's levels: $(cat "$log")"; }
answer=$(curl -sf "http://127.0.0.1:$port/api/v1/health") || { kill "$server"; fail "the installed server did not answer"; }
grep -q '"status":"ok"' <<<"$answer" || { kill "$server"; fail "the installed server answered $answer"; }
# The installed workers verify a shipped author run on the installed levels.
run=$(python3 -c 'import json, sys; print(json.dumps({"player": "Installed", "secret": "ab" * 32,
  "replay": open(sys.argv[1]).read()}))' media/runs/level_01.map.replay)
answer=$(curl -s --data-binary "$run" "http://127.0.0.1:$port/api/v1/runs")
grep -q '"status":"accepted"' <<<"$answer" ||
  { kill "$server"; fail "the installed server did not accept an author run: $answer $(cat "$log")"; }
kill -TERM "$server"
wait "$server" || fail "the installed server did not stop cleanly on SIGTERM: $(cat "$log")"
rm -f "$log"
[ -f /var/lib/quillax-server/quillax.sqlite ] || fail "the installed server kept no leaderboard"
apt-get purge -y -qq quillax-server >/dev/null
for left in /usr/bin/quillax-server /lib/systemd/system/quillax-server.service /var/lib/quillax-server; do
  [ ! -e "$left" ] || fail "apt-get purge quillax-server left $left"
done

apt-get remove -y -qq quillax >/dev/null
trap - EXIT
# A file the game wrote into its data folder would keep the folder after removal.
for left in /usr/games/quillax /usr/share/games/quillax; do
  [ ! -e "$left" ] || fail "apt-get remove left $left: $(find "$left" | head)"
done
echo "PASS: the .debs"
