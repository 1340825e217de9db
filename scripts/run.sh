#!/usr/bin/env bash
# Sets up and builds (scripts/setup.sh), makes the working folder run/ with the
# delivered database when it has none, and starts Tamsel Standard there.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$here/scripts/setup.sh"

work="$here/run"
mkdir -p "$work"
if [ ! -f "$work/DB/tamselstd.MDB" ]; then
    (cd "$work" && "$here/build/bin/make_db" DB/tamselstd.MDB)
    echo "Made a new database in $work/DB/tamselstd.MDB"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    cat >&2 <<MSG
There is no display to show Tamsel Standard on (DISPLAY is not set).
Start it on a virtual display instead, for example:
    xvfb-run -a -s "-screen 0 1280x800x24" $0
or serve it over VNC and connect a VNC viewer to port 5900:
    QT_QPA_PLATFORM=vnc $0
MSG
    exit 2
fi

cd "$work"
exec "$here/build/bin/Tamselstd"
