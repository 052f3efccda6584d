// What the web runtime costs on pages of 1, 10 and 50 text models, measured in headless Chromium
// (the browser tests' software set-up: SwiftShader for WebGL and for WebGPU's Vulkan), for the
// WebGL and WebGPU players and for three.js drawing the same geometry with its WebGLRenderer and
// its WebGPURenderer (one mesh per model, moved by the same matrices, one material per material),
// so that what software Vulkan costs every WebGPU page is told apart from what our player adds.
//
// Figures per page: time to the first frame (finished on the GPU, from navigation); JS heap plus
// typed arrays and external strings after 5 s of playing (after a garbage collection; the browser
// keeps arrays and strings outside the heap); frames drawn per second (players draw when the
// 30-frames-per-second clock moves on; "animation frames" is the browser's own rate meanwhile);
// and main-thread script time per drawn frame while playing.
//
//   node bench/web_runtime_cost.mjs [--qvlogo build/bin/qvlogo] [--sites FOLDER] [--models 1,10,50]
//                                   [--runtime DIR] [--against OTHER_RUNTIME_DIR] [--seconds 5] [--runs 3]
//                                   [--only webgl,webgpu,three-webgl,three-webgpu] [--trace DIR]
//
// The sites (made with the real program in FOLDER/<count>/ when missing, default
// build/bench-logos) are served with the runtime files of --runtime (default
// build/bin/DoNotTouch), so a runtime of another version can be measured against the same sites:
// with --against, both runtimes are measured too. Every page is measured turn about, run by run,
// so that a machine busy with other work slows all of them alike; the figures are medians.
//
// --trace DIR records one Chromium performance trace per page from navigation to the first frame
// (DIR/<count>-<variant>.json, for the browser's performance panel) and prints where the time
// went: loading and compiling scripts, running the model script, building the arrays, the upload,
// and the wait for the first frame. The players are traced with a copy of the runtime that marks
// its steps (performance.measure), the three.js pages mark theirs.
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
const sitesDir = path.resolve(option('--sites', path.join(SOURCE_DIR, 'build', 'bench-logos')));
const modelCounts = option('--models', '1,10,50').split(',').map(Number);
const runtimeDirs = [path.resolve(option('--runtime', path.join(SOURCE_DIR, 'build', 'bin', 'DoNotTouch')))];
if (option('--against', '')) runtimeDirs.push(path.resolve(option('--against', '')));
const seconds = Number(option('--seconds', '5'));
const runs = Number(option('--runs', '3'));
const only = option('--only', '').split(',').filter(Boolean);
const traceDir = option('--trace', '') ? path.resolve(option('--trace', '')) : null;
const TITLE = 'logos';

// One text model "Logo" turning once around over 60 frames; more models stand in a grid of ten
// columns, smaller, every other one turning the other way.
function makeSite(count, dir) {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'qv-logos-'));
  const doc = path.join(work, 'logos.qvlogo');
  const run = (...args) => execFileSync(qvlogo, args, { stdio: ['ignore', 'ignore', 'inherit'] });
  for (let i = 0; i < count; i++) {
    const name = count === 1 ? 'Logo' : `Logo ${i}`;
    run('text', doc, '--text', name, '--font', 'DejaVu Sans');
    const x = count === 1 ? 0 : (i % 10 - 4.5) * 110, y = count === 1 ? 0 : (Math.floor(i / 10) - 2) * 60;
    const s = count === 1 ? '1,1,1' : '0.25,0.25,0.25';
    run('key', doc, '--model', name, '--frame', '0', '--position', `${x},${y},0`, '--scale', s);
    run('key', doc, '--model', name, '--frame', '60', '--position', `${x},${y},0`, '--scale', s,
      '--rotation', `0,${i % 2 ? 180 : -180},0`);
  }
  run('set', doc, '--canvas', '800x600');
  for (const kind of ['webgl', 'webgpu']) run('export', doc, `--${kind}`, path.join(dir, `${TITLE}.html`));
  fs.rmSync(work, { recursive: true, force: true });
}

// three.js drawing what the WebGL model script holds: the script runs against a stand-in that
// keeps its data. `api` picks WebGLRenderer or WebGPURenderer (which must get a WebGPU device).
const threePage = (api) => `<!doctype html><html><head><meta charset="utf-8">
<link href="css/styles.css" rel="stylesheet" type="text/css" />
<script type="importmap">{"imports":{"three":"./three/build/${api === 'webgpu' ? 'three.webgpu.js' : 'three.module.js'}"}}</script>
</head><body>
<script>
function BoneModel3D() {}
BoneModel3D.prototype.init = function () {
  performance.mark('model script');
  this.materials = []; this.vertices = []; this.triangles = []; this.frames = []; this.frame = [];
};
BoneModel3D.prototype.setMaterial = function (...a) { this.materials.push(a); };
BoneModel3D.prototype.setB = function (...a) { this.vertices.push(a); };
BoneModel3D.prototype.setBI = function (a, b, c) { this.triangles.push(a, b, c); };
BoneModel3D.prototype.setMatrix = function (m) { this.frame.push(m); };
BoneModel3D.prototype.setMatrix2 = function () { this.frames.push(this.frame); this.frame = []; };
BoneModel3D.prototype.setMatrix3 = function () {};
BoneModel3D.prototype.initBuffers = function () { performance.measure('model script', 'model script'); };
function initTexture(name) { return name; }
</script>
<script src="webgl/Model_${TITLE}.js"></script>
<script type="module">
import * as THREE from 'three';
const data = new Model_${TITLE}();
performance.mark('build');
const scene = new THREE.Scene();
const renderer = new THREE.${api === 'webgpu' ? 'WebGPURenderer' : 'WebGLRenderer'}({ antialias: true, alpha: true });
renderer.setPixelRatio(window.devicePixelRatio);
renderer.setSize(800, 600);
document.body.appendChild(renderer.domElement);
const script = await (await fetch('webgl/${TITLE}.js')).text();
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
performance.measure('build arrays', 'build');
${api === 'webgpu' ? `performance.mark('device');
await renderer.init();
if (!renderer.backend.isWebGPUBackend) throw new Error('three.js fell back to WebGL');
performance.measure('renderer init', 'device');` : ''}
window.threeFramesDrawn = 0;
let start = null, shown = -1;
const step = (now) => {
  if (start === null) start = now;
  const frame = Math.floor((now - start) * 30 / 1000) % data.frames.length;
  if (frame !== shown) {
    shown = frame;
    for (let b = 0; b < bones; b++) meshes[b].matrix.fromArray(data.frames[frame][b]);
    if (window.threeFramesDrawn === 0) performance.mark('first draw');
    renderer.render(scene, camera);
    if (window.threeFramesDrawn === 0) performance.measure('first draw (upload, pipelines)', 'first draw');
    window.threeFramesDrawn++;
  }
  requestAnimationFrame(step);
};
requestAnimationFrame(step);
</script></body></html>`;

// Appended to a copy of the players' BoneModel3D.js when tracing: each step of building the model
// becomes a measure in the trace. The model script's own calls run from the model's init() to
// its initBuffers().
const RUNTIME_MARKS = `
(() => {
  const P = BoneModel3D.prototype;
  const wrap = (name) => {
    const f = P[name];
    if (typeof f !== 'function') return;
    P[name] = function (...args) {
      const mark = 'qv ' + name;
      performance.mark(mark);
      try { return f.apply(this, args); } finally { performance.measure(name, mark); }
    };
  };
  const init = P.init;
  P.init = function () { performance.mark('model script'); return init.call(this); };
  const initBuffers = P.initBuffers;
  P.initBuffers = function () { performance.measure('model script', 'model script'); return initBuffers.call(this); };
  for (const name of ['initBuffers', 'finishData', 'groupTrianglesByMaterial', 'takeVertexData', 'releaseGeometry']) wrap(name);
})();
`;

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
          performance.mark('first frame on screen');
        });
      }
      return result;
    };
  }
};

const TRACE_CATEGORIES = ['devtools.timeline', 'v8', 'v8.execute', 'blink.user_timing', 'loading', 'gpu',
  'disabled-by-default-devtools.timeline', 'disabled-by-default-v8.compile'];

async function measure(browser, count, variant, runtimeDir, tracePath) {
  const site = findSites(path.join(sitesDir, String(count))).find((s) => s.title === TITLE);
  const three = variant.startsWith('three-');
  const kind = three ? 'webgl' : variant;
  const staged = stageSite(site, kind, runtimeDir);
  // This runtime, whatever the export copied.
  for (const file of RUNTIME_FILES[kind]) fs.copyFileSync(runtimeFile(runtimeDir, kind, file), path.join(staged.root, kind, file));
  if (tracePath && !three) fs.appendFileSync(path.join(staged.root, kind, 'BoneModel3D.js'), RUNTIME_MARKS);
  let pageUrl = staged.pageUrl;
  if (three) {
    fs.symlinkSync(path.join(SOURCE_DIR, 'node_modules', 'three'), path.join(staged.root, 'three'));
    fs.writeFileSync(path.join(staged.root, 'three.html'), threePage(variant.slice('three-'.length)));
    pageUrl = 'three.html';
  }
  const server = await startServer(staged.root);
  const page = await browser.newPage({ viewport: { width: 1024, height: 800 } });
  page.on('pageerror', (e) => console.error(`${variant}: page error: ${e.message}`));
  try {
    await page.addInitScript(firstDrawProbe);
    if (tracePath) await browser.startTracing(page, { path: tracePath, categories: TRACE_CATEGORIES });
    await page.goto(server.url + pageUrl, { waitUntil: 'load', timeout: 120000 });
    await page.waitForFunction(() => window.__firstDraw !== null, null, { timeout: 120000, polling: 20 });
    const firstFrame = await page.evaluate(() => window.__firstDraw);
    if (tracePath) {
      await page.waitForTimeout(200);
      await browser.stopTracing();
      return { firstFrame };
    }
    // The players' frames are counted where they call the scene script.
    if (!three) {
      await page.evaluate((name) => {
        const original = window[name];
        window.__drawn = 0;
        window[name] = function (...args) {
          window.__drawn++;
          return original.apply(this, args);
        };
      }, variant === 'webgl' ? 'drawWebGL' : 'draw');
    }
    const counter = three ? 'threeFramesDrawn' : '__drawn';
    const cdp = await page.context().newCDPSession(page);
    await cdp.send('Performance.enable');
    const scriptSeconds = async () => (await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'ScriptDuration').value;
    const before = await page.evaluate((c) => {
      window.__frames = 0;
      const tick = () => {
        window.__frames++;
        requestAnimationFrame(tick);
      };
      requestAnimationFrame(tick);
      return { drawn: window.eval(c), at: performance.now() };
    }, counter);
    const scriptBefore = await scriptSeconds();
    await page.waitForTimeout(seconds * 1000);
    const scriptAfter = await scriptSeconds();
    const after = await page.evaluate((c) => ({ drawn: window.eval(c), at: performance.now(), frames: window.__frames }), counter);
    await cdp.send('HeapProfiler.collectGarbage');
    const heap = await cdp.send('Runtime.getHeapUsage');
    const elapsed = (after.at - before.at) / 1000;
    const drawnFrames = Math.max(after.drawn - before.drawn, 1);
    return {
      firstFrame, heap: heap.usedSize / 1048576, external: (heap.backingStorageSize || 0) / 1048576,
      memory: (heap.usedSize + (heap.backingStorageSize || 0)) / 1048576,
      drawn: (after.drawn - before.drawn) / elapsed, frames: after.frames / elapsed,
      scriptPerFrame: (scriptAfter - scriptBefore) * 1000 / drawnFrames,
    };
  } finally {
    await page.close();
    await server.close();
    staged.remove();
  }
}

// Where the time to the first frame went, from a trace: the page's main thread (time spent in
// each kind of work, nested work counted once, where it happened), script parsing on the page's
// other threads, the GPU process's main thread, and the page's own measures.
function summariseTrace(file, firstFrame) {
  const raw = JSON.parse(fs.readFileSync(file, 'utf8'));
  const events = Array.isArray(raw) ? raw : raw.traceEvents;
  const threadNames = new Map();
  for (const e of events) if (e.ph === 'M' && e.name === 'thread_name') threadNames.set(`${e.pid}:${e.tid}`, e.args.name);
  const threadOf = (e) => threadNames.get(`${e.pid}:${e.tid}`);
  const navigation = events.find((e) => e.name === 'navigationStart' && e.args?.data?.isLoadingMainFrame &&
    /^http:/.test(e.args.data.documentLoaderURL || ''));
  const pid = navigation ? navigation.pid : null;
  const from = navigation ? navigation.ts : 0, to = from + firstFrame * 1000;
  const inWindow = (e) => e.ph === 'X' && e.ts >= from && e.ts < to;
  // Self time per event name on one thread: an event's duration less that of the events inside it.
  const selfTimes = (list) => {
    list.sort((a, b) => a.ts - b.ts || b.dur - a.dur);
    const self = new Map(), stack = [];
    for (const e of list) {
      while (stack.length && stack[stack.length - 1].ts + stack[stack.length - 1].dur <= e.ts) stack.pop();
      self.set(e, e.dur || 0);
      if (stack.length) self.set(stack[stack.length - 1], self.get(stack[stack.length - 1]) - (e.dur || 0));
      stack.push(e);
    }
    return self;
  };
  const kinds = [
    ['compiling scripts', /Compile|Parse(Function|Program)|^v8\.compile|Deserialize/],
    ['garbage collection', /GC|Scavenge|MarkCompact|Sweep/],
    ['running scripts', /^(v8\.run|v8\.callFunction|FunctionCall|EvaluateScript|v8\.evaluateModule|RunMicrotasks|FireAnimationFrame|V8\.Execute|TimerFire|EventDispatch)$/],
    ['HTML, style, layout, paint', /ParseHTML|Layout|Style|Paint|Composite|PrePaint|Commit|UpdateLayer/],
  ];
  const main = events.filter((e) => inWindow(e) && e.pid === pid && threadOf(e) === 'CrRendererMain');
  const byKind = new Map(kinds.map(([k]) => [k, 0]));
  let other = 0;
  for (const [e, ms] of selfTimes(main)) {
    const kind = kinds.find(([, re]) => re.test(e.name));
    if (kind) byKind.set(kind[0], byKind.get(kind[0]) + ms / 1000);
    else other += ms / 1000;
  }
  const busy = [...byKind.values()].reduce((a, b) => a + b, other);
  const background = events.filter((e) => inWindow(e) && e.pid === pid && threadOf(e) !== 'CrRendererMain' &&
    /^(v8\.parseOnBackground|BackgroundCompileTask::Run|V8\.ScriptStreamer)/.test(e.name));
  const gpuMain = events.filter((e) => inWindow(e) && threadOf(e) === 'CrGpuMain');
  let gpuBusy = 0, gpuEnd = 0;
  for (const e of gpuMain.sort((a, b) => a.ts - b.ts)) {
    const start = Math.max(e.ts, gpuEnd), end = e.ts + e.dur;
    if (end > start) gpuBusy += end - start;
    gpuEnd = Math.max(gpuEnd, end);
  }
  const measures = new Map();
  const open = new Map();
  for (const e of events) {
    if (e.pid !== pid || e.cat !== 'blink.user_timing' || (e.ph !== 'b' && e.ph !== 'e')) continue;
    const key = `${e.name}:${e.id2?.local ?? e.id}`;
    if (e.ph === 'b') open.set(key, e.ts);
    else if (open.has(key)) measures.set(e.name, (measures.get(e.name) || 0) + (e.ts - open.get(key)) / 1000);
  }
  return [`first frame ${firstFrame.toFixed(0)} ms after navigation; the page's main thread busy ${busy.toFixed(0)} ms:`,
    '  ' + [...byKind].map(([k, ms]) => `${k} ${ms.toFixed(0)} ms`).join(', ') + `, other ${other.toFixed(0)} ms`,
    `  script parsing on other threads ${(background.reduce((a, e) => a + e.dur, 0) / 1000).toFixed(0)} ms; ` +
      `GPU process main thread busy ${(gpuBusy / 1000).toFixed(0)} ms`,
    '  steps: ' + [...measures].map(([n, ms]) => `${n} ${ms.toFixed(0)} ms`).join(', ')].join('\n');
}

for (const count of modelCounts) {
  const dir = path.join(sitesDir, String(count));
  if (!fs.existsSync(path.join(dir, `${TITLE}.html`))) makeSite(count, dir);
}
const variants = [];
for (const runtimeDir of runtimeDirs) for (const kind of ['webgl', 'webgpu']) variants.push({ kind, runtimeDir });
variants.push({ kind: 'three-webgl', runtimeDir: runtimeDirs[0] }, { kind: 'three-webgpu', runtimeDir: runtimeDirs[0] });
const chosen = variants.filter((v) => only.length === 0 || only.includes(v.kind));
const label = (v) => v.kind + (runtimeDirs.length > 1 && !v.kind.startsWith('three') ? ` (${v.runtimeDir})` : '');

const browser = await launchBrowser();
try {
  if (traceDir) {
    fs.mkdirSync(traceDir, { recursive: true });
    for (const count of modelCounts) {
      for (const [i, v] of chosen.entries()) {
        const file = path.join(traceDir, `${count}-${v.kind}${i >= 4 ? '-' + i : ''}.json`);
        const { firstFrame } = await measure(browser, count, v.kind, v.runtimeDir, file);
        console.log(`${count} model${count === 1 ? '' : 's'}, ${label(v)}: trace ${file}\n  ${summariseTrace(file, firstFrame)}`);
      }
    }
  } else {
    const results = new Map();
    for (let r = 0; r < runs; r++) {
      for (const count of modelCounts) {
        for (const v of chosen) {
          const key = `${count} ${label(v)}`;
          if (!results.has(key)) results.set(key, []);
          results.get(key).push(await measure(browser, count, v.kind, v.runtimeDir));
        }
      }
    }
    const median = (list, key) => list.map((x) => x[key]).sort((a, b) => a - b)[Math.floor(list.length / 2)];
    for (const count of modelCounts) {
      console.log(`\n${count} model${count === 1 ? '' : 's'} (median of ${runs} runs, ${seconds} s each):`);
      console.log('  page                 first frame   heap + arrays        frames drawn/s (browser)   script ms/drawn frame');
      for (const v of chosen) {
        const list = results.get(`${count} ${label(v)}`);
        console.log(`  ${label(v).padEnd(20)} ${median(list, 'firstFrame').toFixed(0).padStart(7)} ms   ` +
          `${median(list, 'memory').toFixed(1).padStart(6)} MiB (${median(list, 'heap').toFixed(1)} + ${median(list, 'external').toFixed(1)})  ` +
          `${median(list, 'drawn').toFixed(1).padStart(6)} of 30 (${median(list, 'frames').toFixed(1)})         ` +
          `${median(list, 'scriptPerFrame').toFixed(2)}`);
      }
      // Ratios against three.js with the same graphics interface, and against its WebGLRenderer.
      const of = (kind, key) => {
        const list = results.get(`${count} ${label({ kind, runtimeDir: runtimeDirs[0] })}`);
        return list ? median(list, key) : NaN;
      };
      for (const kind of ['webgl', 'webgpu']) {
        if (!results.has(`${count} ${label({ kind, runtimeDir: runtimeDirs[0] })}`)) continue;
        const parts = [];
        for (const against of [`three-${kind}`, 'three-webgl']) {
          if (!results.has(`${count} ${against}`)) continue;
          parts.push(`vs ${against}: frames ${(of(kind, 'drawn') / of(against, 'drawn')).toFixed(2)}x, ` +
            `first frame ${(of(kind, 'firstFrame') / of(against, 'firstFrame')).toFixed(2)}x, ` +
            `heap + arrays ${(of(kind, 'memory') / of(against, 'memory')).toFixed(2)}x`);
          if (against === 'three-webgl' && kind === 'webgl') break;
        }
        if (parts.length > 0) console.log(`  ${kind} ${parts.join('; ')}`);
      }
    }
  }
} finally {
  await browser.close();
}
