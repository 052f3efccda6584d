// The runtime's browser-independent model code (Vector3D, Matrix3D, Model3D, Material), run in a
// plain script context: how model-script calls are stored, grouped and turned into bone matrices.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import vm from 'node:vm';
import { SOURCE_DIR, RUNTIME_FILES } from './harness.mjs';

const runtimeDir = process.env.QV_RUNTIME_DIR || path.join(SOURCE_DIR, 'DoNotTouch');
const SHARED = ['Vector3D.js', 'Matrix3D.js', 'Material.js', 'Model3D.js'];

// A fresh global scope holding the shared scripts, loaded in page order.
function loadModelCode() {
  const context = vm.createContext({ console });
  for (const file of SHARED) {
    vm.runInContext(fs.readFileSync(path.join(runtimeDir, 'webgl', file), 'utf8'), context, { filename: file });
  }
  return (expression) => vm.runInContext(expression, context);
}

const IDENTITY = [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1];
const translation = (x, y, z) => [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1];

test('both kinds ship every runtime file, and the shared ones are identical', () => {
  for (const [kind, files] of Object.entries(RUNTIME_FILES)) {
    for (const file of files) assert.ok(fs.existsSync(path.join(runtimeDir, kind, file)), `${kind}/${file}`);
  }
  for (const file of SHARED) {
    assert.equal(fs.readFileSync(path.join(runtimeDir, 'webgpu', file), 'utf8'),
      fs.readFileSync(path.join(runtimeDir, 'webgl', file), 'utf8'), file);
  }
});

test('frames of the first animation give one matrix per bone and wrap around', () => {
  const run = loadModelCode();
  const m = run('new Model3D()');
  m.setMaterial(1, 0, 0, 1, 1, 0.25, 0, 0, 5);
  m.setB(0, 0, 0, 0, 0, 1, 0, 0, 0, 0);
  m.setB(1, 0, 0, 0, 0, 1, 0, 0, 0, 1);
  m.setBI(0, 1, 1);
  for (let k = 0; k < 3; k++) {
    m.setMatrix(translation(k, 0, 0));
    m.setMatrix(translation(0, k, 0));
    m.setMatrix2();
  }
  m.setMatrix3();
  // A second animation is kept but not shown.
  m.setMatrix(translation(9, 9, 9));
  m.setMatrix(translation(9, 9, 9));
  m.setMatrix2();
  m.setMatrix3();
  m.finishData();
  assert.equal(m.frameCount, 3);
  assert.equal(m.boneCount, 2);
  assert.equal(m.animations.length, 2);
  const out = new Float32Array(32);
  const cases = [[0, 0], [2, 2], [3, 0], [7, 1], [-1, 2]];
  for (const [frameNumber, frame] of cases) {
    m.fillBoneMatrices(frameNumber, out);
    assert.deepEqual(Array.from(out), [...translation(frame, 0, 0), ...translation(0, frame, 0)], `frame number ${frameNumber}`);
  }
});

test('bones without a matrix stay in place, and stray bone numbers never reach past the matrices', () => {
  const run = loadModelCode();
  const table = [
    // [bones named by vertices, matrices per frame, expected bone count, expected stored bones]
    { bones: [0, 1, 2], matrices: 3, count: 3, stored: [0, 1, 2] },
    { bones: [0, 5, 1000000], matrices: 2, count: 3, stored: [0, 2, 2] },
    { bones: [0, 3], matrices: 0, count: 1, stored: [0, 0] },
  ];
  for (const row of table) {
    const m = run('new Model3D()');
    for (const b of row.bones) m.setB(0, 0, 0, 0, 0, 1, 0, 0, 0, b);
    if (row.matrices > 0) {
      for (let i = 0; i < row.matrices; i++) m.setMatrix(translation(i + 1, 0, 0));
      m.setMatrix2();
      m.setMatrix3();
    }
    m.finishData();
    assert.equal(m.boneCount, row.count, JSON.stringify(row));
    assert.deepEqual(Array.from(m.vertexBones.toArray()), row.stored);
    const out = new Float32Array(row.count * 16);
    m.fillBoneMatrices(0, out);
    for (let b = row.matrices; b < row.count; b++) {
      assert.deepEqual(Array.from(out.subarray(b * 16, b * 16 + 16)), IDENTITY, `bone ${b} of ${JSON.stringify(row)}`);
    }
  }
});

test('a short or broken matrix is completed from the identity; an unclosed frame is dropped', () => {
  const run = loadModelCode();
  const m = run('new Model3D()');
  m.setB(0, 0, 0, 0, 0, 1, 0, 0, 0, 0);
  m.setMatrix([2, 0, 0]);
  m.setMatrix2();
  m.setMatrix([NaN, 'x']);
  m.finishData();
  assert.equal(m.frameCount, 1);
  const out = new Float32Array(16);
  m.fillBoneMatrices(0, out);
  assert.deepEqual(Array.from(out), [2, 0, 0, ...IDENTITY.slice(3)]);
});

test('triangles are grouped by material in ascending order, keeping their order within a material', () => {
  const run = loadModelCode();
  const m = run('new Model3D()');
  m.setMaterial(1, 0, 0, 1, 1, 0.25, 0, 0, 5);
  m.setMaterial(0, 1, 0, 1, 1, 0.25, 0, 0, 5);
  // Vertex materials: 1, 0, 1, 7 (not in the list: shown with the last material), -2 (likewise).
  const materials = [1, 0, 1, 7, -2];
  for (const [i, mat] of materials.entries()) m.setB(i, 0, 0, 0, 0, 1, mat, 0, 0, 0);
  m.setBI(0, 1, 2); // material 1
  m.setBI(1, 2, 0); // material 0
  m.setBI(3, 0, 1); // material 7 -> 1
  m.setBI(0, 1, 99); // names a vertex that does not exist: dropped
  m.setBI(4, 1, 2); // material -2 -> 1
  m.setBI(1, 0, 2); // material 0
  m.finishData();
  const { indices, groups } = m.groupTrianglesByMaterial();
  assert.deepEqual(Array.from(indices), [1, 2, 0, 1, 0, 2, 0, 1, 2, 3, 0, 1, 4, 1, 2]);
  assert.deepEqual(JSON.parse(JSON.stringify(groups)), [{ material: 0, first: 0, count: 6 }, { material: 1, first: 6, count: 9 }]);
});

test('a model script without materials or vertices still yields a drawable, empty model', () => {
  const run = loadModelCode();
  const m = run('new Model3D()');
  m.finishData();
  assert.equal(m.materials.length, 1);
  assert.equal(m.vertexCount, 0);
  assert.equal(m.frameCount, 0);
  assert.deepEqual(JSON.parse(JSON.stringify(m.groupTrianglesByMaterial().groups)), []);
});

test('materials derive their lit colours from the colour and the factors', () => {
  const run = loadModelCode();
  const m = run('new Material(1, 0, 0, 0.5, 1, 0.25, 0.5, 0.5, 7, "t.png")');
  assert.deepEqual(Array.from(m.diffuse), [1, 0, 0, 0.5]);
  assert.deepEqual(Array.from(m.ambient), [0.25, 0, 0]);
  assert.deepEqual(Array.from(m.emissive), [0.5, 0, 0]);
  assert.deepEqual(Array.from(m.specular), [0.5, 0.5, 0.5]);
  assert.equal(m.power, 7);
  assert.equal(m.texture, 't.png');
  assert.equal(run('new Material(1, 1, 1, 1, 1, 0, 0, 0, 5).texture'), undefined);
});

test('the camera looks from the eye to the target, also straight down', () => {
  const run = loadModelCode();
  const apply = (m, p) => [0, 1, 2].map((r) => m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r]);
  const close = (a, b) => a.every((v, i) => Math.abs(v - b[i]) < 1e-3);
  const table = [
    // eye, target, a point, where the point lands in view space
    [[0, 0, 1500], [0, 0, 1400], [0, 0, 0], [0, 0, -1500]],
    [[0, 0, 1500], [0, 0, 1400], [100, 50, 0], [100, 50, -1500]],
    [[1500, 0, 0], [1400, 0, 0], [0, 0, -100], [100, 0, -1500]],
    // Looking down: world -z is screen-up.
    [[0, 1500, 0], [0, 1400, 0], [0, 0, -100], [0, 100, -1500]],
  ];
  for (const [eye, target, point, expected] of table) {
    const m = run(`new Matrix3D().lookAt(new Vector3D(${eye}), new Vector3D(${target}), new Vector3D(0, 1, 0))`);
    const got = apply(m.m, point);
    assert.ok(close(got, expected), `${eye} -> ${target}: ${got} != ${expected}`);
  }
  // The WebGL scene script's name for the same call.
  const v = run('new Matrix3D().lookAtCamera(new Vector3D(0, 0, 10), new Vector3D(0, 0, 0), new Vector3D(0, 1, 0)).viewDirection()');
  assert.deepEqual([v.x, v.y, v.z], [0, 0, -1]);
});
