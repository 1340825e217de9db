#!/usr/bin/env bash
# Sets up and builds (scripts/setup.sh), then runs every test with CTest, and
# the tests that print (label "prints") once more under a fontconfig holding
# only DejaVu: the prints must not depend on the machine's fonts.
# Windows are tested offscreen: no display is needed.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$here/scripts/setup.sh"
cd "$here/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
echo "The tests that print, under a fontconfig holding only DejaVu:"
"$here/scripts/bare_fonts.sh" ctest --output-on-failure -j "$(nproc)" -L prints
