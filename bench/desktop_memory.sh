#!/usr/bin/env bash
# Memory of the idle desktop program with one text model: starts build/bin/quorvel-logo on a
# document holding one text (made with qvlogo), waits until it has settled and prints its
# resident and proportional set sizes. Needs xvfb-run; settings and the file type go to a
# temporary folder.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/bin/qvlogo text "$work/one.qvlogo" --text "Logo" --font "DejaVu Sans" >/dev/null
XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" LIBGL_ALWAYS_SOFTWARE=1 QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    build/bin/quorvel-logo "$1" & pid=$!
    sleep "${SETTLE_SECONDS:-8}"
    awk "/^VmRSS|^VmHWM/ {printf \"%s %.1f MiB\n\", \$1, \$2 / 1024}" /proc/$pid/status
    awk "/^Pss:/ {printf \"Pss: %.1f MiB\n\", \$2 / 1024}" /proc/$pid/smaps_rollup
    kill $pid' _ "$work/one.qvlogo"
