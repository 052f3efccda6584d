#!/usr/bin/env bash
# Makes glTF files with the real exporter for the browser tests, with the viewport's pictures of
# some frames beside them:
#   logo.glb, logo.gltf   a text logo turning by keys (pictures logo_<frame>.png, frames 0, 15, 30)
#   textured.glb          an imported .mqo with its PNG texture (pictures as for the logo)
#   hierarchy.glb         three models nested three deep, each turning (pictures as for the logo)
#   corpus_*.glb          imported corpus models with PNG, JPEG and TGA textures (one of them
#                         missing), when the corpus is present
#   make_gltf_files.sh QVLOGO OUT_DIR SOURCE_DIR
set -euo pipefail
qvlogo=$1
out=$2
source=$3
rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
size=480x360

"$qvlogo" text "$work/logo.qvlogo" --text "Logo" --font "DejaVu Sans" >/dev/null
"$qvlogo" key "$work/logo.qvlogo" --model Logo --frame 30 --rotation 0,90,0 --position 40,0,0 >/dev/null
"$qvlogo" key "$work/logo.qvlogo" --model Logo --frame 60 --rotation 0,180,0 >/dev/null
"$qvlogo" export "$work/logo.qvlogo" --gltf "$out/logo.glb" >/dev/null
"$qvlogo" export "$work/logo.qvlogo" --gltf "$out/logo_separate/logo.gltf" >/dev/null

cp "$source/tests/data/gltf/hierarchy.qvlogo" "$work/hierarchy.qvlogo"
"$qvlogo" export "$work/hierarchy.qvlogo" --gltf "$out/hierarchy.glb" >/dev/null

for name in logo hierarchy; do
  for frame in 0 15 30; do
    "$qvlogo" render "$work/$name.qvlogo" --frame $frame --size $size --no-guides -o "$out/${name}_$frame.png"
  done
done

# The document sits with the model and its texture, as a user keeps them.
cp "$source/tests/data/mqo/texture.mqo" "$source/tests/data/mqo/texture.png" "$work/"
"$qvlogo" import "$work/textured.qvlogo" "$work/texture.mqo" >/dev/null
"$qvlogo" export "$work/textured.qvlogo" --gltf "$out/textured.glb" >/dev/null
for frame in 0 15 30; do
  "$qvlogo" render "$work/textured.qvlogo" --frame $frame --size $size --no-guides -o "$out/textured_$frame.png"
done

corpus="$source/../shared/corpus/mqo"
for model in nyar/jeep.mqo wanwan/medaka/medaka.mqo kattun/maid/maid.mqo; do
  [ -f "$corpus/$model" ] || continue
  name=corpus_$(basename "$model" .mqo)
  # The corpus is read-only: the document goes beside copies of the model and its textures.
  cp -r "$(dirname "$corpus/$model")" "$work/$name"
  chmod -R u+w "$work/$name"
  "$qvlogo" import "$work/$name/$name.qvlogo" "$work/$name/$(basename "$model")" >/dev/null
  "$qvlogo" export "$work/$name/$name.qvlogo" --gltf "$out/$name.glb" >/dev/null
done
