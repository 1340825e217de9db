#!/usr/bin/env bash
# Sets up and builds (scripts/setup.sh), then runs every test with CTest.
# Windows are tested offscreen: no display is needed.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$here/scripts/setup.sh"
cd "$here/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
