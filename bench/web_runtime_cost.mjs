// What the web runtime costs on a page of 50 text models, measured in headless Chromium (the
// browser tests' software set-up), for the WebGL and WebGPU players and for three.js drawing the
// same geometry (one mesh per model, moved by the same matrices, one material per material):
// time to the first frame (finished on the GPU, from navigation), JS heap after 5 s of playing
// (after a garbage collection; typed arrays and external strings counted apart, as the browser
// keeps them outside the heap), and frames drawn per second (players draw when the 30-frames-per-
// second clock moves on; "animation frames" is the browser's own rate while doing it).
//
//   node bench/web_runtime_cost.mjs [--qvlogo build/bin/qvlogo] [--site FOLDER] [--runtime DIR]
//                                   [--against OTHER_RUNTIME_DIR] [--seconds 5] [--runs 3]
//
// The site (made with the real program when FOLDER does not exist yet, default
// build/bench-fifty-logos) is served with the runtime files of --runtime (default
// build/bin/DoNotTouch), so a runtime of another version can be measured against the same site:
// with --against, both runtimes (and three.js) are measured turn about, run by run, so that a
// machine busy with other work slows all of them alike.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { execFileSync } from 'node:child_process';
import { SOURCE_DIR, RUNTIME_FILES, launchBrowser, startServer, findSites, stageSite, runtimeFile } from '../tests/browser/harness.mjs';

function option(name, fallback) {
  const at = process.argv.indexOf(name);
  return at >= 0 && process.argv[at + 1] ? process.argv[at + 1] : fallback;
}
const qvlogo = path.resolve(option('--qvlogo', path.join(SOURCE_DIR, 'build', 'bin', 'qvlogo')));
const siteDir = path.resolve(option('--site', path.join(SOURCE_DIR, 'build', 'bench-fifty-logos')));
const runtimeDirs = [path.resolve(option('--runtime', path.join(SOURCE_DIR, 'build', 'bin', 'DoNotTouch')))];
if (option('--against', '')) runtimeDirs.push(path.resolve(option('--against', '')));
const seconds = Number(option('--seconds', '5'));
const runs = Number(option('--runs', '3'));

// 50 text models in a grid, each turning once around over 60 frames.
function makeSite() {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'qv-fifty-'));
  const doc = path.join(work, 'fifty.qvlogo');
  const run = (...args) => execFileSync(qvlogo, args, { stdio: ['ignore', 'ignore', 'inherit'] });
  for (let i = 0; i < 50; i++) {
    run('text', doc, '--text', `Logo ${i}`, '--font', 'DejaVu Sans');
    const x = (i % 10 - 4.5) * 110, y = (Math.floor(i / 10) - 2) * 60;
    run('key', doc, '--model', `Logo ${i}`, '--frame', '0', '--position', `${x},${y},0`, '--scale', '0.25,0.25,0.25');
    run('key', doc, '--model', `Logo ${i}`, '--frame', '60', '--position', `${x},${y},0`, '--scale', '0.25,0.25,0.25',
      '--rotation', `0,${i % 2 ? 180 : -180},0`);
  }
  run('set', doc, '--canvas', '800x600');
  for (const kind of ['webgl', 'webgpu']) run('export', doc, `--${kind}`, path.join(siteDir, 'fifty.html'));
  fs.rmSync(work, { recursive: true, force: true });
}

// three.js drawing what the WebGL model script holds: the script runs against a stand-in that
// keeps its data.
const THREE_PAGE = `<!doctype html><html><head><meta charset="utf-8">
<link href="css/styles.css" rel="stylesheet" type="text/css" />
<script type="importmap">{"imports":{"three":"./three/build/three.module.js"}}</script>
</head><body>
<script>
function BoneModel3D() {}
BoneModel3D.prototype.init = function () {
  this.materials = []; this.vertices = []; this.triangles = []; this.frames = []; this.frame = [];
};
BoneModel3D.prototype.setMaterial = function (...a) { this.materials.push(a); };
BoneModel3D.prototype.setB = function (...a) { this.vertices.push(a); };
BoneModel3D.prototype.setBI = function (a, b, c) { this.triangles.push(a, b, c); };
BoneModel3D.prototype.setMatrix = function (m) { this.frame.push(m); };
BoneModel3D.prototype.setMatrix2 = function () { this.frames.push(this.frame); this.frame = []; };
BoneModel3D.prototype.setMatrix3 = function () {};
BoneModel3D.prototype.initBuffers = function () {};
function initTexture(name) { return name; }
</script>
<script src="webgl/Model_fifty.js"></script>
<script type="module">
import * as THREE from 'three';
const data = new Model_fifty();
const scene = new THREE.Scene();
const renderer = new THREE.WebGLRenderer({ antialias: true, alpha: true });
renderer.setPixelRatio(window.devicePixelRatio);
renderer.setSize(800, 600);
document.body.appendChild(renderer.domElement);
const script = await (await fetch('webgl/fifty.js')).text();
const numbers = (line) => line.match(/-?\\d+\\.\\d+/g).map(Number);
const eye = numbers(script.split('\\n').find((l) => l.includes('_eye =')));
const target = numbers(script.split('\\n').find((l) => l.includes('_lookAt =')));
const camera = new THREE.PerspectiveCamera(20, 800 / 600, 100, 10000);
camera.position.set(...eye);
camera.lookAt(...target);
scene.add(new THREE.AmbientLight(0xffffff, 0.6));
camera.add(new THREE.DirectionalLight(0xffffff, 2.5));
scene.add(camera);
const materials = data.materials.map((m) => new THREE.MeshLambertMaterial({ color: new THREE.Color(m[0], m[1], m[2]),
  transparent: m[3] < 1, opacity: m[3], side: THREE.BackSide }));
const bones = data.frames[0].length;
const meshes = [];
for (let b = 0; b < bones; b++) {
  const position = [], normal = [], groups = new Map();
  for (let t = 0; t < data.triangles.length; t += 3) {
    const first = data.vertices[data.triangles[t]];
    if (first[9] !== b) continue;
    const list = groups.get(first[6]) || [];
    list.push(t);
    groups.set(first[6], list);
  }
  const geometry = new THREE.BufferGeometry();
  let start = 0;
  for (const [material, list] of groups) {
    for (const t of list) for (let k = 0; k < 3; k++) {
      const v = data.vertices[data.triangles[t + k]];
      position.push(v[0], v[1], v[2]);
      normal.push(-v[3], -v[4], -v[5]);
    }
    geometry.addGroup(start, list.length * 3, material);
    start += list.length * 3;
  }
  geometry.setAttribute('position', new THREE.Float32BufferAttribute(position, 3));
  geometry.setAttribute('normal', new THREE.Float32BufferAttribute(normal, 3));
  const mesh = new THREE.Mesh(geometry, materials);
  mesh.matrixAutoUpdate = false;
  scene.add(mesh);
  meshes.push(mesh);
}
window.threeFramesDrawn = 0;
let start = null, shown = -1;
const step = (now) => {
  if (start === null) start = now;
  const frame = Math.floor((now - start) * 30 / 1000) % data.frames.length;
  if (frame !== shown) {
    shown = frame;
    for (let b = 0; b < bones; b++) meshes[b].matrix.fromArray(data.frames[frame][b]);
    renderer.render(scene, camera);
    window.threeFramesDrawn++;
  }
  requestAnimationFrame(step);
};
requestAnimationFrame(step);
</script></body></html>`;

// Notes when the first frame is finished on the GPU: after the first draw call, WebGL reads a
// pixel back once the drawing task is over (which waits for the GPU), WebGPU waits for the work
// of its first submit. A player that draws only once its pipeline is ready is thus not credited
// with an earlier draw call that the GPU could not carry out sooner.
const firstDrawProbe = () => {
  window.__firstDraw = null;
  let drawn = false;
  for (const type of [window.WebGLRenderingContext, window.WebGL2RenderingContext]) {
    for (const name of ['drawElements', 'drawArrays']) {
      const original = type.prototype[name];
      type.prototype[name] = function (...args) {
        const result = original.apply(this, args);
        if (!drawn) {
          drawn = true;
          queueMicrotask(() => {
            this.readPixels(0, 0, 1, 1, this.RGBA, this.UNSIGNED_BYTE, new Uint8Array(4));
            window.__firstDraw = performance.now();
          });
        }
        return result;
      };
    }
  }
  if (window.GPURenderPassEncoder) {
    for (const name of ['drawIndexed', 'draw']) {
      const original = GPURenderPassEncoder.prototype[name];
      GPURenderPassEncoder.prototype[name] = function (...args) {
        drawn = true;
        return original.apply(this, args);
      };
    }
    const submit = GPUQueue.prototype.submit;
    let waiting = false;
    GPUQueue.prototype.submit = function (...args) {
      const result = submit.apply(this, args);
      if (drawn && !waiting) {
        waiting = true;
        this.onSubmittedWorkDone().then(() => {
          window.__firstDraw = performance.now();
        });
      }
      return result;
    };
  }
};

async function measure(browser, variant, runtimeDir) {
  const site = findSites(siteDir).find((s) => s.title === 'fifty');
  const kind = variant === 'three.js' ? 'webgl' : variant;
  const staged = stageSite(site, kind, runtimeDir);
  // This runtime, whatever the export copied.
  for (const file of RUNTIME_FILES[kind]) fs.copyFileSync(runtimeFile(runtimeDir, kind, file), path.join(staged.root, kind, file));
  let pageUrl = staged.pageUrl;
  if (variant === 'three.js') {
    fs.symlinkSync(path.join(SOURCE_DIR, 'node_modules', 'three'), path.join(staged.root, 'three'));
    fs.writeFileSync(path.join(staged.root, 'three.html'), THREE_PAGE);
    pageUrl = 'three.html';
  }
  const server = await startServer(staged.root);
  const page = await browser.newPage({ viewport: { width: 1024, height: 800 } });
  page.on('pageerror', (e) => console.error(`${variant}: page error: ${e.message}`));
  try {
    await page.addInitScript(firstDrawProbe);
    await page.goto(server.url + pageUrl, { waitUntil: 'load' });
    await page.waitForFunction(() => window.__firstDraw !== null, null, { timeout: 120000, polling: 20 });
    const firstFrame = await page.evaluate(() => window.__firstDraw);
    // The players' frames are counted where they call the scene script.
    if (variant !== 'three.js') {
      await page.evaluate((name) => {
        const original = window[name];
        window.__drawn = 0;
        window[name] = function (...args) {
          window.__drawn++;
          return original.apply(this, args);
        };
      }, variant === 'webgl' ? 'drawWebGL' : 'draw');
    }
    const counter = variant === 'three.js' ? 'threeFramesDrawn' : '__drawn';
    const before = await page.evaluate((c) => {
      window.__frames = 0;
      const tick = () => {
        window.__frames++;
        requestAnimationFrame(tick);
      };
      requestAnimationFrame(tick);
      return { drawn: window.eval(c), at: performance.now() };
    }, counter);
    await page.waitForTimeout(seconds * 1000);
    const after = await page.evaluate((c) => ({ drawn: window.eval(c), at: performance.now(), frames: window.__frames }), counter);
    const cdp = await page.context().newCDPSession(page);
    await cdp.send('HeapProfiler.collectGarbage');
    const heap = await cdp.send('Runtime.getHeapUsage');
    const elapsed = (after.at - before.at) / 1000;
    return {
      firstFrame, heap: heap.usedSize / 1048576, external: (heap.backingStorageSize || 0) / 1048576,
      drawn: (after.drawn - before.drawn) / elapsed, frames: after.frames / elapsed,
    };
  } finally {
    await page.close();
    await server.close();
    staged.remove();
  }
}

if (!fs.existsSync(path.join(siteDir, 'fifty.html'))) makeSite();
const browser = await launchBrowser();
try {
  const variants = [];
  for (const runtimeDir of runtimeDirs) for (const kind of ['webgl', 'webgpu']) variants.push({ kind, runtimeDir });
  variants.push({ kind: 'three.js', runtimeDir: runtimeDirs[0] });
  const results = variants.map(() => []);
  for (let r = 0; r < runs; r++) {
    for (const [i, v] of variants.entries()) results[i].push(await measure(browser, v.kind, v.runtimeDir));
  }
  for (const [i, v] of variants.entries()) {
    const median = (key) => results[i].map((x) => x[key]).sort((a, b) => a - b)[Math.floor(runs / 2)];
    console.log(`${v.kind.padEnd(8)} first frame ${median('firstFrame').toFixed(0)} ms, JS heap after ${seconds} s ` +
      `${median('heap').toFixed(1)} MiB + ${median('external').toFixed(1)} MiB typed arrays and external strings ` +
      `(the model script's text among them), ${median('drawn').toFixed(1)} frames drawn/s of 30 ` +
      `(browser animation frames ${median('frames').toFixed(1)}/s); median of ${runs}` +
      (v.kind === 'three.js' ? '' : ` (runtime ${v.runtimeDir})`));
  }
} finally {
  await browser.close();
}
