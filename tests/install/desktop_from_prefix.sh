#!/usr/bin/env bash
# The desktop program run from an installed prefix opens a document, and registers nothing in the
# user's data folder: the prefix's own desktop entry and MIME type stand. The same program run from
# the build tree does register, which shows that the moment looked at comes after registration.
# Runs on a virtual X display of its own (tests/support/on_virtual_display.sh).
#   desktop_from_prefix.sh PREFIX BUILD_BIN TEST_DATA WORK
set -euo pipefail
prefix=$1 build_bin=$2 data=$3 work=$4
rm -rf "$work" && mkdir -p "$work"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# A document whose texture is missing: opening it shows a message box ("Quorvel Motion") once the
# window is up, and the program shows held messages only after the start-up's registration.
cp "$data/mqo/texture.mqo" "$work/"
timeout -k 5 60 "$prefix/bin/qvlogo" import "$work/logo.qvlogo" "$work/texture.mqo" >/dev/null 2>&1
doc=$work/logo.qvlogo

registered_files=(applications/quorvel-logo.desktop mime/packages/quorvel-logo.xml
                  icons/hicolor/scalable/apps/quorvel-logo.svg)

# Starts PROGRAM with the document and its own data folder, waits for the window titled with the
# document and for the message box, then ends it. Prints nothing; false when they never showed.
run_until_message() {  # PROGRAM DATA_HOME
  local program=$1 data_home=$2 pid windows="" shown=false
  mkdir -p "$data_home"
  XDG_DATA_HOME=$data_home "$program" "$doc" >"$data_home.log" 2>&1 &
  pid=$!
  for _ in $(seq 600); do
    windows=$(xwininfo -root -tree 2>/dev/null || true)
    if grep -qF " - $doc\"" <<<"$windows" && grep -qF '"Quorvel Motion"' <<<"$windows"; then
      shown=true
      break
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  if ! $shown; then
    echo "windows seen:" >&2
    grep -F '"' <<<"$windows" | head -20 >&2 || true
    cat "$data_home.log" >&2
  fi
  $shown
}

if run_until_message "$prefix/bin/quorvel-logo" "$work/installed data"; then
  for file in "${registered_files[@]}"; do
    [ ! -e "$work/installed data/$file" ] || fail "the installed program wrote $file into the user's data folder"
  done
else
  fail "the installed program did not show the document and its message"
fi

if run_until_message "$build_bin/quorvel-logo" "$work/build tree data"; then
  for file in "${registered_files[@]}"; do
    [ -f "$work/build tree data/$file" ] || fail "the program in the build tree did not register $file"
  done
else
  fail "the program in the build tree did not show the document and its message"
fi

[ "$failures" -eq 0 ] || { echo "$failures problem(s) with the desktop program" >&2; exit 1; }
echo "desktop program from the installed prefix ok"
