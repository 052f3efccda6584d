#!/usr/bin/env bash
# Runs COMMAND on an X display of its own: a virtual 1280×1024 screen that ends with it.
#   on_virtual_display.sh COMMAND [ARG...]
# The X server picks a free display number itself and says which (-displayfd), so tests started
# side by side never pick the same number, as guessing from lock files (xvfb-run -a) can. It
# never resets (-noreset): by default an X server starts over each time its last client leaves,
# and a program that connects just then (after a short-lived xwininfo, say) is turned away.
set -uo pipefail
scratch=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$scratch/display" 2>"$scratch/server.log" &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$scratch"' EXIT

# The number comes with a line break once the server takes connections.
for _ in $(seq 300); do
  [ "$(wc -l <"$scratch/display")" -ge 1 ] && break
  if ! kill -0 "$server" 2>/dev/null; then
    echo "the virtual X server did not start:" >&2
    cat "$scratch/server.log" >&2
    exit 1
  fi
  sleep 0.05
done
display=$(head -n 1 "$scratch/display")
[ -n "$display" ] || { echo "the virtual X server gave no display within 15 s" >&2; exit 1; }

DISPLAY=:$display "$@"
