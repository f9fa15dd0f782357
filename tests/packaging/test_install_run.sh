#!/usr/bin/env bash
# cmake --install into a temporary prefix gives a game that starts from any
# folder and keeps the player's files in the XDG folders (check_installed_game.sh).
set -u
BUILD_DIR=$1
PREFIX=$(mktemp -d)
trap 'rm -rf "$PREFIX"' EXIT
cmake --install "$BUILD_DIR" --prefix "$PREFIX/usr" >/dev/null || { echo "FAIL: cmake --install failed" >&2; exit 1; }
bash "$(dirname "$0")/check_installed_game.sh" "$PREFIX/usr" "$BUILD_DIR"
