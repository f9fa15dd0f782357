#!/usr/bin/env bash
# Installs every Debian package the build, the game and the tests need.
# Safe to run again: it only asks apt for what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config git
  clang libclang-rt-dev llvm
  libogre-1.12-dev ogre-1.12-tools
  libois-dev
  libmygui-dev libmygui.ogreplatform0debian1v5
  libtinyxml-dev libboost-dev zlib1g-dev
  libbullet-dev
  libsdl2-dev libsdl2-mixer-dev
  libgtest-dev libgmock-dev
  fonts-linuxlibertine
  libxrandr-dev
  xvfb xdotool x11-utils imagemagick mesa-utils libgl1-mesa-dri
  sox libsox-fmt-all vorbis-tools libvorbis-dev libogg-dev
  dpkg-dev fakeroot lintian desktop-file-utils appstream librsvg2-bin
  # The leaderboard server, and the throwaway PostgreSQL cluster its tests start.
  libcpp-httplib-dev nlohmann-json3-dev libsqlite3-dev libpqxx-dev libssl-dev
  postgresql-15 postgresql-client-15 curl
  # The game's online side.
  libcurl4-openssl-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo_cmd apt-get update -qq
$sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
