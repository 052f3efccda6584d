#!/usr/bin/env bash
# The command-line program run from an installed prefix finds the web runtime in
# PREFIX/share/quorvel-logo and copies it next to the exported page; the same prefix moved
# elsewhere works as well (nothing holds the path it was installed to).
#   export_from_prefix.sh PREFIX TEST_DATA WORK
set -euo pipefail
prefix=$1 data=$2 work=$3
rm -rf "$work" && mkdir -p "$work"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

export_and_check() {  # PREFIX LABEL
  local root=$1 label=$2 doc="$work/$2/logo.qvlogo"
  mkdir -p "$work/$label"
  timeout -k 5 60 "$root/bin/qvlogo" import "$doc" "$data/mqo/single_object_with_bvertex.mqo" >/dev/null
  for kind in webgl webgpu; do
    local site="$work/$label/$kind site"
    if ! timeout -k 5 60 "$root/bin/qvlogo" export "$doc" "--$kind" "$site/logo.html" >/dev/null; then
      fail "$label: qvlogo export --$kind failed"
      continue
    fi
    local runtime="$root/share/quorvel-logo/DoNotTouch/$kind"
    [ -f "$site/logo.html" ] && [ -f "$site/$kind/logo.js" ] && [ -f "$site/$kind/Model_logo.js" ] ||
      fail "$label: the $kind page or its scripts are missing"
    local copied=0
    for file in "$runtime"/*; do
      local name
      name=$(basename "$file")
      if cmp -s "$file" "$site/$kind/$name"; then copied=$((copied + 1)); else fail "$label: $kind/$name was not copied from the runtime"; fi
    done
    [ "$copied" -gt 0 ] || fail "$label: no runtime files for $kind"
    # The page's folder holds the runtime, the page's two scripts and nothing else.
    local expected=$((copied + 2)) found
    found=$(find "$site/$kind" -type f | wc -l)
    [ "$found" -eq "$expected" ] || fail "$label: $kind/ holds $found files, expected $expected"
  done
}

export_and_check "$prefix" installed
cp -a "$prefix" "$work/moved prefix"
export_and_check "$work/moved prefix" moved

[ "$failures" -eq 0 ] || { echo "$failures problem(s) exporting from the installed prefix" >&2; exit 1; }
echo "export from the installed prefix ok"
