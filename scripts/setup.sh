#!/usr/bin/env bash
# Installs what the build and the tests need, from Debian's packages, and
# configures and builds everything into build/. Safe to run again: it installs
# only what is missing and rebuilds only what changed. The font packages carry
# the faces the reports print with; configuring copies them beside the programs.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
packages=(qt6-base-dev libsqlite3-dev libxlsxwriter-dev zlib1g-dev libsodium-dev fonts-dejavu-core
          fonts-liberation2 fonts-noto-core
          libgtest-dev cmake ninja-build g++ pkg-config xvfb xauth poppler-utils)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$here/build"
