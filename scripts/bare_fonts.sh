#!/usr/bin/env bash
# Runs a command under a fontconfig that holds only the DejaVu faces, whatever
# else the machine has installed, so that a print measuring with the machine's
# fonts instead of the program's own shows up:
#   scripts/bare_fonts.sh ctest --test-dir build -L prints
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: bare_fonts.sh COMMAND [ARG...]" >&2; exit 2; }
dejavu=/usr/share/fonts/truetype/dejavu
[ -d "$dejavu" ] || { echo "bare_fonts.sh: $dejavu is missing (fonts-dejavu-core)" >&2; exit 2; }
d=$(mktemp -d -t bare-fonts.XXXXXX)
trap 'rm -rf "$d"' EXIT
cat >"$d/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <dir>$dejavu</dir>
  <cachedir>$d/cache</cachedir>
</fontconfig>
CONF
FONTCONFIG_FILE="$d/fonts.conf" QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$@"
