#!/usr/bin/env bash
# Installs, with apt-get, every Debian 12 package that the build, the game and the tests need.
# Idempotent: when everything is already there it only checks and returns.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libboost-dev libtinyxml-dev python3-dev
  libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev libstb-dev
  libgl-dev libopengl-dev libgl1-mesa-dri libegl1 libegl-dev mesa-utils
  fonts-dejavu-core fonts-dejavu-extra python3-pil python3-numpy lame
  clang libclang-rt-14-dev
  xvfb xauth
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "install-deps: these packages are missing: ${missing[*]}" >&2
    echo "install-deps: run this script as root, or install sudo, to install them" >&2
    exit 1
  fi
  sudo_cmd=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
