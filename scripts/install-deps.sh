#!/usr/bin/env bash
# Installs the Debian packages Kinetrace needs to build, run and test, when
# they are missing, and those named as arguments (what one script needs
# besides, such as the fuzz script's compiler). Runs apt-get as root, through
# sudo otherwise.
#   scripts/install-deps.sh [package...]
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev qt6-serialport-dev qt6-qpa-plugins
  libgsf-1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  python3 python3-olefile
  shared-mime-info desktop-file-utils
  xvfb xauth
  poppler-utils
  fonts-dejavu-core fonts-liberation
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "install-deps: these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
