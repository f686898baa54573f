#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need.
# Checks each with dpkg first, so a second run installs nothing. As root it
# installs them; otherwise through sudo, but only where sudo can run: without
# sudo, or with a sudo that wants a password and no terminal to ask on, it
# prints the line to run as root and stops.
set -eu
PACKAGES="build-essential cmake pkg-config libsdl2-dev libglew-dev libglu1-mesa-dev libgl-dev \
libgl1-mesa-dri libfreetype-dev libtinyxml-dev libgtk-3-dev libsndfile1-dev libx11-dev \
libgtest-dev libgmock-dev libbenchmark-dev libtinyobjloader-dev xvfb fonts-dejavu-core"
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
export DEBIAN_FRONTEND=noninteractive
if [ "$(id -u)" -eq 0 ]; then
  echo "Installing:$missing"
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends $missing
  exit 0
fi
if ! command -v sudo >/dev/null 2>&1 || { ! sudo -n true 2>/dev/null && [ ! -t 0 ]; }; then
  echo "Morvo needs these Debian packages:$missing"
  echo "This is not root, and sudo is missing or wants a password with no terminal to ask on."
  echo "Run as root, then run make again:"
  echo "  apt-get update && apt-get install -y --no-install-recommends$missing"
  exit 1
fi
echo "Installing with sudo (it may ask for your password):$missing"
sudo apt-get update -qq
sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
