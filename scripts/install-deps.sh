#!/usr/bin/env bash
# Installs the Debian packages the build needs, skipping those already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-charts-dev qt6-translations-l10n libqt6opengl6-dev libgl-dev fonts-dejavu-core libxcb1-dev xvfb xauth openbox xdotool x11-utils
  libclips-dev libseccomp-dev libgsf-1-dev
  clang libclang-rt-14-dev valgrind
  python3-xlrd python3-olefile libreoffice-calc-nogui poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Instalacja brakujacych pakietow: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=""
else
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
