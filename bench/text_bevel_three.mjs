// Time three.js takes to make the bevelled text bench/text_bevel.cpp measures: 100 characters of
// Japanese in IPAGothic at size 100, depth 50, bevel 2 wide and 2 deep with 4 segments (the same
// outlines, written by the benchmark program, curves already cut into 5 steps).
//
//   node bench/text_bevel_three.mjs [--bench build/bin/bench_text_bevel] [--runs 20]
//
// three.js's bevel grows outwards and adds its depth outside the slab; the figures compare the
// work, not identical shapes.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { Font } from 'three/addons/loaders/FontLoader.js';
import { TextGeometry } from 'three/addons/geometries/TextGeometry.js';

function option(name, fallback) {
  const at = process.argv.indexOf(name);
  return at >= 0 && process.argv[at + 1] ? process.argv[at + 1] : fallback;
}

const sourceDir = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');
const bench = option('--bench', path.join(sourceDir, 'build', 'bin', 'bench_text_bevel'));
const runs = Number(option('--runs', '20'));

const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'qvlogo-typeface-'));
const typefaceFile = path.join(folder, 'ipagothic.json');
try {
  execFileSync(bench, ['--typeface', typefaceFile], { stdio: 'inherit' });
  const typeface = JSON.parse(fs.readFileSync(typefaceFile, 'utf8'));
  const font = new Font(typeface);
  const make = (bevelSegments) => {
    const start = performance.now();
    const geometry = new TextGeometry(typeface.text, {
      font,
      size: 100,
      depth: 50,
      curveSegments: 5,
      bevelEnabled: bevelSegments > 0,
      bevelThickness: 2,
      bevelSize: 2,
      bevelOffset: 0,
      bevelSegments: Math.max(bevelSegments, 1),
    });
    const ms = performance.now() - start;
    const triangles = geometry.getAttribute('position').count / 3;
    geometry.dispose();
    return { ms, triangles };
  };
  for (const segments of [0, 4]) {
    make(segments);  // warm-up: the first run compiles
    const times = [];
    let triangles = 0;
    for (let i = 0; i < runs; ++i) {
      const r = make(segments);
      times.push(r.ms);
      triangles = r.triangles;
    }
    times.sort((a, b) => a - b);
    const median = times[Math.floor(times.length / 2)];
    const label = segments === 0 ? 'flat' : `bevelSegments ${segments}`;
    console.log(`three.js TextGeometry, 100 Japanese characters, ${label}: median ${median.toFixed(1)} ms ` +
                `(min ${times[0].toFixed(1)}), ${triangles} triangles`);
  }
} finally {
  fs.rmSync(folder, { recursive: true, force: true });
}
