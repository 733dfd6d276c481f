#!/usr/bin/env bash
# Installs the Debian packages that building, testing, the demo and the Windows check
# need. Quick when everything is already there; works as root or through sudo.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    libsdl2-dev libpng-dev libjpeg62-turbo-dev zlib1g-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    g++-mingw-w64-i686 mingw-w64-i686-dev
    xvfb xauth libxtst6
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

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
