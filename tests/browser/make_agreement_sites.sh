#!/usr/bin/env bash
# Makes the scenes of the picture agreement test with the real program: for each scene a site
# exported with both kinds (canvas 480 x 360) and the viewport's picture of one frame beside it
# (`qvlogo render --frame N --no-guides`, same size), named in OUT_DIR/scenes.txt as
# "NAME FRAME" lines.
#   logo         a text logo turning by keys (lit, with a rotation track)
#   textured     an imported .mqo with a PNG texture and a see-through material
#   hierarchy    three models nested, each turning
#   translucent  a half-transparent box in front of an opaque one
#   shading      two spheres, one smoothed (facet 59.5) and one faceted (facet 0), with highlights
#   corpus_*     imported corpus models with their textures, when the corpus is present
#   make_agreement_sites.sh QVLOGO OUT_DIR SOURCE_DIR
set -euo pipefail
qvlogo=$1
out=$2
source=$3
rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
size=480x360

# site NAME DOC FRAME: exports both kinds into OUT/NAME and draws the frame as the viewport does.
site() {
  local name=$1 doc=$2 frame=$3
  "$qvlogo" set "$doc" --canvas $size >/dev/null
  for kind in webgl webgpu; do
    "$qvlogo" export "$doc" --$kind "$out/$name/$name.html" >/dev/null
  done
  "$qvlogo" render "$doc" --frame "$frame" --size $size --no-guides -o "$out/$name/viewport_$frame.png"
  echo "$name $frame" >>"$out/scenes.txt"
}

"$qvlogo" text "$work/logo.qvlogo" --text "Logo" --font "DejaVu Sans" >/dev/null
"$qvlogo" key "$work/logo.qvlogo" --model Logo --frame 30 --rotation 20,90,0 --position 40,0,0 >/dev/null
"$qvlogo" key "$work/logo.qvlogo" --model Logo --frame 60 --rotation 0,180,0 >/dev/null
site logo "$work/logo.qvlogo" 20
# For a screen with two device pixels per CSS pixel.
"$qvlogo" render "$work/logo.qvlogo" --frame 20 --size 960x720 --no-guides -o "$out/logo/viewport_20_x2.png"

cp "$source/tests/data/mqo/texture.mqo" "$source/tests/data/mqo/texture.png" "$work/"
"$qvlogo" import "$work/textured.qvlogo" "$work/texture.mqo" >/dev/null
site textured "$work/textured.qvlogo" 0
cp "$source/tests/data/mqo/texture.png" "$out/textured/"

cp "$source/tests/data/gltf/hierarchy.qvlogo" "$work/hierarchy.qvlogo"
site hierarchy "$work/hierarchy.qvlogo" 15

# Generated Metasequoia files: boxes and spheres whose faces run clockwise seen from outside.
node - "$work" <<'JS'
const fs = require('fs');
const dir = process.argv[2];
const material = (name, [r, g, b, a], spc, power) =>
  `\t"${name}" col(${r} ${g} ${b} ${a}) dif(0.800) amb(0.600) emi(0.000) spc(${spc}) power(${power})`;
function object(name, facet, vertices, faces) {
  return [`Object "${name}" {`, `\tfacet ${facet}`, `\tvertex ${vertices.length} {`,
    ...vertices.map((v) => '\t\t' + v.map((c) => c.toFixed(4)).join(' ')), '\t}', `\tface ${faces.length} {`,
    ...faces.map(([m, ...v]) => `\t\t${v.length} V(${v.join(' ')}) M(${m})`), '\t}', '}'];
}
function box(cx, cy, cz, s, m) {
  const v = [];
  for (const [x, y, z] of [[-1, 1, 1], [-1, -1, 1], [1, 1, 1], [1, -1, 1], [1, 1, -1], [1, -1, -1], [-1, 1, -1], [-1, -1, -1]])
    v.push([cx + s * x, cy + s * y, cz + s * z]);
  const f = [[0, 2, 3, 1], [2, 4, 5, 3], [4, 6, 7, 5], [6, 0, 1, 7], [6, 4, 2, 0], [1, 3, 5, 7]].map((q) => [m, ...q]);
  return [v, f];
}
function sphere(cx, r, m) {
  const rings = 12, segments = 20, v = [[cx, r, 0]], f = [];
  for (let i = 1; i < rings; i++) {
    const t = Math.PI * i / rings;
    for (let j = 0; j < segments; j++) {
      const p = 2 * Math.PI * j / segments;
      v.push([cx + r * Math.sin(t) * Math.cos(p), r * Math.cos(t), r * Math.sin(t) * Math.sin(p)]);
    }
  }
  v.push([cx, -r, 0]);
  const at = (i, j) => 1 + (i - 1) * segments + (j % segments);
  for (let j = 0; j < segments; j++) {
    f.push([m, 0, at(1, j), at(1, j + 1)]);
    for (let i = 1; i < rings - 1; i++) f.push([m, at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1)]);
    f.push([m, v.length - 1, at(rings - 1, j + 1), at(rings - 1, j)]);
  }
  return [v, f];
}
const head = ['Metasequoia Document', 'Format Text Ver 1.0', ''];
fs.writeFileSync(dir + '/translucent.mqo', [...head, 'Material 2 {',
  material('solid', [0.9, 0.3, 0.2, 1], '0.300', '8.00'), material('glass', [0.2, 0.5, 1.0, 0.5], '0.000', '5.00'), '}',
  ...object('solid', 59.5, ...box(-40, 30, -60, 70, 0)), ...object('glass', 59.5, ...box(30, -10, 60, 90, 1)), 'Eof', ''].join('\r\n'));
fs.writeFileSync(dir + '/shading.mqo', [...head, 'Material 1 {', material('ball', [0.3, 0.8, 0.4, 1], '0.600', '12.00'), '}',
  ...object('smooth', 59.5, ...sphere(-120, 100, 0)), ...object('faceted', 0, ...sphere(120, 100, 0)), 'Eof', ''].join('\r\n'));
JS
for name in translucent shading; do
  "$qvlogo" import "$work/$name.qvlogo" "$work/$name.mqo" >/dev/null
  site $name "$work/$name.qvlogo" 0
done

corpus="$source/../shared/corpus/mqo"
for model in nyar/jeep.mqo wanwan/medaka/medaka.mqo; do
  [ -f "$corpus/$model" ] || continue
  name=corpus_$(basename "$model" .mqo)
  # The corpus is read-only: the document goes beside copies of the model and its textures.
  cp -r "$(dirname "$corpus/$model")" "$work/$name"
  chmod -R u+w "$work/$name"
  "$qvlogo" import "$work/$name/$name.qvlogo" "$work/$name/$(basename "$model")" >/dev/null
  site "$name" "$work/$name/$name.qvlogo" 0
  # Pages read their textures from their own folder.
  find "$work/$name" -maxdepth 1 -type f \( -iname '*.png' -o -iname '*.jpg' -o -iname '*.jpeg' -o -iname '*.bmp' -o -iname '*.tga' \) \
    -exec cp {} "$out/$name/" \;
done
