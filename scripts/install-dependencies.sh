#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Ortix-T need; nothing else is downloaded.
set -euo pipefail

packages=(
  cmake ninja-build g++
  clang libclang-rt-14-dev
  qt6-base-dev qt6-svg-dev libjpeg62-turbo-dev libfontconfig-dev zlib1g-dev
  libgtest-dev libbenchmark-dev
  poppler-utils unzip locales
  fonts-wine fonts-dejavu-core
  qt6-translations-l10n
  dpkg-dev desktop-file-utils shared-mime-info
  xvfb xauth openbox
  libngspice0-dev ngspice qt6-charts-dev libqt6opengl6-dev
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
