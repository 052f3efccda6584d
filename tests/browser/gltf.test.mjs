// glTF files of the real exporter (QV_GLTF_DIR, made by make_gltf_files.sh): the official
// validator finds nothing to report, and three.js's GLTFLoader in headless Chromium shows the
// same picture as the viewport (`qvlogo render --no-guides`) at frames 0, 15 and 30.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { createRequire } from 'node:module';
import { SOURCE_DIR, launchBrowser, startServer, decodePng } from './harness.mjs';

const require = createRequire(import.meta.url);
const gltfDir = path.resolve(process.env.QV_GLTF_DIR || path.join(SOURCE_DIR, 'build', 'gltf-export'));
const shotDir = process.env.QV_SCREENSHOT_DIR || '';
const FPS = 30;

function gltfFiles(dir) {
  const found = [];
  for (const entry of fs.readdirSync(dir, { withFileTypes: true })) {
    const full = path.join(dir, entry.name);
    if (entry.isDirectory()) found.push(...gltfFiles(full));
    else if (/\.(glb|gltf)$/.test(entry.name)) found.push(full);
  }
  return found.sort();
}

test('the validator reports no errors and no warnings', async () => {
  let validator;
  try {
    validator = require('gltf-validator');
  } catch (e) {
    throw new Error('gltf-validator is missing: run `npm ci` in the repository root. ' + e.message);
  }
  const files = gltfFiles(gltfDir);
  for (const wanted of ['logo.glb', 'logo.gltf', 'textured.glb', 'hierarchy.glb'])
    assert.ok(files.some((f) => f.endsWith(path.sep + wanted)), `${wanted} was not made`);
  for (const file of files) {
    const report = await validator.validateBytes(new Uint8Array(fs.readFileSync(file)), {
      uri: path.basename(file),
      maxIssues: 0,  // all of them: a cut-short report leaves out its summary
      externalResourceFunction: (uri) =>
        Promise.resolve(new Uint8Array(fs.readFileSync(path.join(path.dirname(file), decodeURIComponent(uri))))),
    });
    const reported = report.issues.messages.filter((m) => m.severity <= 1);
    assert.deepEqual(reported, [], `${path.relative(gltfDir, file)}: ${JSON.stringify(reported, null, 1)}`);
    if (path.basename(file).startsWith('corpus_') || path.basename(file) === 'textured.glb')
      assert.ok(report.info.resources.some((r) => r.storage === 'buffer-view' && r.pointer.startsWith('/images/')),
        `${path.basename(file)} carries its texture`);
  }
});

// The page: GLTFLoader, the file's camera with the picture's aspect, a light from the eye as the
// viewport's, the background asked for, the first animation stopped at the asked time.
// window.__show(seconds) renders.
const PAGE = `<!doctype html><html><head><meta charset="utf-8">
<script type="importmap">{"imports":{"three":"./three/build/three.module.js","three/addons/":"./three/examples/jsm/"}}</script>
</head><body style="margin:0">
<script type="module">
import * as THREE from 'three';
import { GLTFLoader } from 'three/addons/loaders/GLTFLoader.js';
const params = new URLSearchParams(location.search);
const width = Number(params.get('w')), height = Number(params.get('h'));
const renderer = new THREE.WebGLRenderer({ antialias: false, preserveDrawingBuffer: true });
renderer.setPixelRatio(1);
renderer.setSize(width, height);
renderer.setClearColor(new THREE.Color('#' + params.get('bg')), 1);
document.body.appendChild(renderer.domElement);
const gltf = await new GLTFLoader().loadAsync(params.get('file'));
const scene = gltf.scene;
const camera = gltf.cameras[0];
camera.aspect = width / height;
camera.updateProjectionMatrix();
camera.add(new THREE.DirectionalLight(0xffffff, 2.5));
scene.add(new THREE.AmbientLight(0xffffff, 0.6));
const mixer = new THREE.AnimationMixer(scene);
mixer.clipAction(gltf.animations[0]).play();
window.__show = (seconds) => {
  mixer.setTime(seconds);
  scene.updateMatrixWorld(true);
  renderer.render(scene, camera);
};
window.__ready = true;
</script></body></html>`;

// Pixels that are not the background (the viewport picture's corner colour, which the page
// clears to as well).
function modelMask(png, background) {
  const mask = new Uint8Array(png.width * png.height);
  for (let i = 0; i < mask.length; i++) {
    const p = png.pixels.subarray(i * 4, i * 4 + 3);
    mask[i] = Math.abs(p[0] - background[0]) + Math.abs(p[1] - background[1]) + Math.abs(p[2] - background[2]) > 24;
  }
  return mask;
}

let browser;
before(async () => {
  browser = await launchBrowser();
});
after(async () => {
  if (browser) await browser.close();
});

for (const name of ['logo', 'hierarchy', 'textured']) {
  test(`three.js shows ${name}.glb as the viewport does at frames 0, 15 and 30`, async () => {
    const root = fs.mkdtempSync(path.join(os.tmpdir(), 'qv-gltf-'));
    fs.symlinkSync(path.join(SOURCE_DIR, 'node_modules', 'three'), path.join(root, 'three'));
    fs.copyFileSync(path.join(gltfDir, `${name}.glb`), path.join(root, `${name}.glb`));
    fs.writeFileSync(path.join(root, 'index.html'), PAGE);
    const server = await startServer(root);
    const reference = decodePng(fs.readFileSync(path.join(gltfDir, `${name}_0.png`)));
    const { width, height } = reference;
    const page = await browser.newPage({ viewport: { width, height } });
    const errors = [];
    page.on('pageerror', (e) => errors.push(e.message));
    try {
      const background = Array.from(reference.pixels.subarray(0, 3));
      const hex = background.map((c) => c.toString(16).padStart(2, '0')).join('');
      await page.goto(`${server.url}index.html?file=${name}.glb&w=${width}&h=${height}&bg=${hex}`);
      await page.waitForFunction(() => window.__ready === true, null, { timeout: 60000 });
      const masks = [];
      for (const frame of [0, 15, 30]) {
        await page.evaluate((t) => window.__show(t), frame / FPS);
        const shot = await page.locator('canvas').screenshot();
        if (shotDir) {
          fs.mkdirSync(shotDir, { recursive: true });
          fs.writeFileSync(path.join(shotDir, `${name}_${frame}_three.png`), shot);
        }
        const viewport = decodePng(fs.readFileSync(path.join(gltfDir, `${name}_${frame}.png`)));
        const three = decodePng(shot);
        assert.equal(three.width, width);
        const expected = modelMask(viewport, background);
        const shown = modelMask(three, background);
        let differing = 0, covered = 0;
        for (let i = 0; i < expected.length; i++) {
          differing += expected[i] !== shown[i];
          covered += expected[i];
        }
        assert.ok(covered > expected.length * 0.005, `frame ${frame}: the viewport shows the model`);
        // Edges rasterise a little differently; anything more is a wrong pose or shape.
        assert.ok(differing <= covered * 0.01,
          `frame ${frame}: ${differing} pixels differ from the viewport's ${covered} model pixels`);
        masks.push(shown.join(''));
      }
      if (name !== 'textured') assert.notEqual(masks[0], masks[1], 'the logo moves');
      assert.deepEqual(errors, []);
    } finally {
      await page.close();
      await server.close();
      fs.rmSync(root, { recursive: true, force: true });
    }
  });
}
