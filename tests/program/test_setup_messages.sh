#!/usr/bin/env bash
# What the player reads when set-up fails names the file or folder looked at
# and what to do: an installed game (programs in <prefix>/games, data in
# <prefix>/share/games/quillax) says to reinstall or to delete the player's
# own config.cfg, never to rebuild; a runnable folder's broken config.cfg is
# the one place where rebuilding is the cure.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
PREFIX=$(mktemp -d)
trap 'end_session; rm -rf "$PREFIX"' EXIT
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_STATE_HOME
export HOME=$(mktemp -d -p "$PREFIX")
cd "$HOME"

mkdir -p "$PREFIX/games" "$PREFIX/share/games/quillax"
cp -a "$WORK/quillax" "$PREFIX/games/"
DATA=$PREFIX/share/games/quillax
cp -a "$WORK/plugins.cfg" "$WORK/resources.cfg" "$WORK/config.cfg" "$WORK/media" "$DATA/"

# Runs the program $1 (at most 30 s) and expects exit code 1 with one ERROR
# line holding every further argument; "!text" must not be in it.
expect_error() {
  local program=$1 text
  shift
  timeout 30 "$program" >"$WORK/stdout.txt" 2>"$WORK/stderr.txt"
  local status=$?
  [ "$status" -eq 1 ] || fail "exit code $status, expected 1 ($*); stderr: $(cat "$WORK/stderr.txt")"
  grep -q "^ERROR: " "$WORK/stderr.txt" || fail "no ERROR line ($*): $(cat "$WORK/stderr.txt")"
  for text in "$@"; do
    if [ "${text:0:1}" = "!" ]; then
      grep -q -F -- "${text:1}" "$WORK/stderr.txt" && fail "the ERROR line says ${text:1}: $(cat "$WORK/stderr.txt")"
    else
      grep -q -F -- "$text" "$WORK/stderr.txt" || fail "the ERROR line does not say $text: $(cat "$WORK/stderr.txt")"
    fi
  done
}

# The player's config.cfg is broken: delete that file, not rebuild.
mkdir -p "$HOME/.config/quillax"
printf 'Render System=Nonexistent\n' >"$HOME/.config/quillax/config.cfg"
expect_error "$PREFIX/games/quillax" "$HOME/.config/quillax/config.cfg" "delete that file" "!rebuild"
sed 's/^Video Mode=.*/Video Mode=abc/' "$DATA/config.cfg" >"$HOME/.config/quillax/config.cfg"
expect_error "$PREFIX/games/quillax" "Video Mode=abc" "$HOME/.config/quillax/config.cfg" "delete that file" "!rebuild"
rm "$HOME/.config/quillax/config.cfg"

# The settings folder cannot be made: a plain file stands where it would be.
rm -r "$HOME/.config" && printf 'not a folder\n' >"$HOME/.config"
expect_error "$PREFIX/games/quillax" "$HOME/.config/quillax" "XDG_CONFIG_HOME"
rm "$HOME/.config"

# Broken data: each names the path looked at and says to reinstall.
mv "$DATA/media/meshes" "$PREFIX/meshes.away"
expect_error "$PREFIX/games/quillax" "$DATA/media/meshes" "reinstall" "!rebuild"
mv "$PREFIX/meshes.away" "$DATA/media/meshes"
cp "$DATA/plugins.cfg" "$PREFIX/plugins.good"
sed -i '/^Plugin=RenderSystem_GL/d' "$DATA/plugins.cfg"
expect_error "$PREFIX/games/quillax" "$DATA/plugins.cfg" "no render system" "reinstall" "!rebuild"
cp "$PREFIX/plugins.good" "$DATA/plugins.cfg"
sed -i 's|^PluginFolder=.*|PluginFolder=/nowhere|' "$DATA/plugins.cfg"
expect_error "$PREFIX/games/quillax" "$DATA/plugins.cfg" "reinstall" "!rebuild"
mv "$DATA/media" "$PREFIX/media.away"
expect_error "$PREFIX/games/quillax" "$DATA/media" "reinstall" "!rebuild"
rm "$DATA/plugins.cfg"
expect_error "$PREFIX/games/quillax" "$PREFIX/games/plugins.cfg" "$DATA/plugins.cfg" "Reinstall"

# The runnable folder's own config.cfg: rebuilding makes it again.
export HOME=$(mktemp -d -p "$PREFIX")
printf 'Render System=Nonexistent\n' >"$WORK/config.cfg"
expect_error "$WORK/quillax" "$WORK/config.cfg" "rebuild"
[ -z "$(ls -A "$HOME")" ] || fail "a runnable folder's run wrote into HOME: $(ls -A "$HOME")"
echo "PASS"
