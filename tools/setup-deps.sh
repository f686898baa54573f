#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need.
# Checks each with dpkg first, so a second run installs nothing.
set -eu
PACKAGES="build-essential cmake pkg-config libsdl2-dev libglew-dev libglu1-mesa-dev libgl-dev \
libgl1-mesa-dri libfreetype-dev libtinyxml-dev libgtk-3-dev libsndfile1-dev libx11-dev \
libgtest-dev libgmock-dev libbenchmark-dev libtinyobjloader-dev xvfb xauth fonts-dejavu-core"
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends $missing
