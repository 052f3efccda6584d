#!/usr/bin/env bash
# Makes web sites with the real exporter for the browser tests: a text logo with a turning key
# animation, and an imported textured .mqo without keys. Each site folder holds both kinds.
#   make_export_sites.sh QVLOGO OUT_DIR SOURCE_DIR
set -euo pipefail
qvlogo=$1
out=$2
source=$3
rm -rf "$out"
mkdir -p "$out/logo" "$out/textured"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$qvlogo" text "$work/logo.qvlogo" --text "Logo" --font "DejaVu Sans" >/dev/null
"$qvlogo" key "$work/logo.qvlogo" --model Logo --frame 30 --rotation 0,90,0 >/dev/null
"$qvlogo" key "$work/logo.qvlogo" --model Logo --frame 60 --rotation 0,180,0 >/dev/null
for kind in webgl webgpu; do
  "$qvlogo" export "$work/logo.qvlogo" --$kind "$out/logo/Logo.html" >/dev/null
done

# The document sits with the model and its texture, as a user keeps them.
cp "$source/tests/data/mqo/texture.mqo" "$source/tests/data/mqo/texture.png" "$work/"
"$qvlogo" import "$work/textured.qvlogo" "$work/texture.mqo" >/dev/null
for kind in webgl webgpu; do
  "$qvlogo" export "$work/textured.qvlogo" --$kind "$out/textured/Textured.html" >/dev/null
done
# Pages read their textures from their own folder.
cp "$source/tests/data/mqo/texture.png" "$out/textured/"
