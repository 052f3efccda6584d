// The runtime's browser-independent model code (Vector3D, Matrix3D, Model3D, Material), run in a
// plain script context: how model-script calls are stored, grouped and turned into bone matrices.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import vm from 'node:vm';
import { SOURCE_DIR, RUNTIME_FILES, runtimeFile } from './harness.mjs';

const runtimeDir = process.env.QV_RUNTIME_DIR || path.join(SOURCE_DIR, 'web_runtime');
const SHARED = ['Vector3D.js', 'Matrix3D.js', 'Material.js', 'Model3D.js'];

// A fresh global scope holding the shared scripts, loaded in page order.
function loadModelCode() {
  const context = vm.createContext({ console });
  for (const file of SHARED) {
    vm.runInContext(fs.readFileSync(runtimeFile(runtimeDir, 'webgl', file), 'utf8'), context, { filename: file });
  }
  return (expression) => vm.runInContext(expression, context);
}

const IDENTITY = [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1];
const translation = (x, y, z) => [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1];

test('both kinds ship every runtime file, and the shared ones are identical', () => {
  for (const [kind, files] of Object.entries(RUNTIME_FILES)) {
    for (const file of files) assert.ok(fs.existsSync(runtimeFile(runtimeDir, kind, file)), `${kind}/${file}`);
  }
  for (const file of SHARED) {
    assert.equal(fs.readFileSync(runtimeFile(runtimeDir, 'webgpu', file), 'utf8'),
      fs.readFileSync(runtimeFile(runtimeDir, 'webgl', file), 'utf8'), file);
  }
  // One source: the files both kinds use are kept once in the source tree.
  for (const file of SHARED) {
    assert.ok(fs.existsSync(path.join(SOURCE_DIR, 'web_runtime', 'shared', file)), `shared/${file}`);
    for (const kind of Object.keys(RUNTIME_FILES))
      assert.ok(!fs.existsSync(path.join(SOURCE_DIR, 'web_runtime', kind, file)), `${kind}/${file} is a second copy`);
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
    assert.deepEqual(Array.from({ length: m.vertexCount }, (_, v) => m.boneOf(v)), row.stored);
    const out = new Float32Array(row.count * 16);
    m.fillBoneMatrices(0, out);
    for (let b = row.matrices; b < row.count; b++) {
      assert.deepEqual(Array.from(out.subarray(b * 16, b * 16 + 16)), IDENTITY, `bone ${b} of ${JSON.stringify(row)}`);
    }
  }
});

// Both players hand the vertex list to the graphics device as it stands: position, normal,
// texture coordinates and bone, nine floats a vertex, however many vertices the script writes.
test('vertices are stored in the layout the players upload, in one array', () => {
  const run = loadModelCode();
  const m = run('new Model3D()');
  const count = 1000;
  for (let i = 0; i < count; i++) m.setB(i, i + 0.5, -i, 0, 0, -1, 0, i / count, 1 - i / count, i % 3);
  for (let k = 0; k < 3; k++) m.setMatrix(translation(k, 0, 0));
  m.setMatrix2();
  m.setMatrix3();
  m.finishData();
  assert.equal(run('MODEL3D_VERTEX_FLOATS'), 9);
  const data = m.vertexData.view();
  assert.equal(data.length, count * 9);
  for (const i of [0, 1, 511, 999]) {
    assert.deepEqual(Array.from(data.subarray(i * 9, i * 9 + 9)),
      Array.from(new Float32Array([i, i + 0.5, -i, 0, 0, -1, i / count, 1 - i / count, i % 3])), `vertex ${i}`);
  }
  m.releaseGeometry();
  assert.equal(m.vertexCount, count);
  assert.equal(m.vertexData, null);
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

// The viewport draws model by model, each material by material: where half-transparent
// surfaces of different models overlap, the order decides what shows through.
test('triangles of several models come model by model, each grouped by material', () => {
  const run = loadModelCode();
  const m = run('new Model3D()');
  m.setMaterial(1, 0, 0, 1, 1, 0.25, 0, 0, 5);
  m.setMaterial(0, 1, 0, 0.5, 1, 0.25, 0, 0, 5);
  // Vertices: (material, bone).
  for (const [i, [mat, bone]] of [[1, 0], [0, 1], [0, 0], [1, 1]].entries()) m.setB(i, 0, 0, 0, 0, 1, mat, 0, 0, bone);
  m.setBI(1, 0, 2); // model 1, material 0
  m.setBI(0, 1, 2); // model 0, material 1
  m.setBI(3, 1, 0); // model 1, material 1
  m.setBI(2, 0, 1); // model 0, material 0
  m.setBI(1, 2, 3); // model 1, material 0
  for (let frame = 0; frame < 1; frame++) {
    m.setMatrix([1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]);
    m.setMatrix([1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]);
    m.setMatrix2();
  }
  m.setMatrix3();
  m.finishData();
  const { indices, groups } = m.groupTrianglesByMaterial();
  assert.deepEqual(Array.from(indices), [2, 0, 1, 0, 1, 2, 1, 0, 2, 1, 2, 3, 3, 1, 0]);
  assert.deepEqual(JSON.parse(JSON.stringify(groups)), [{ material: 0, first: 0, count: 3 }, { material: 1, first: 3, count: 3 },
    { material: 0, first: 6, count: 6 }, { material: 1, first: 12, count: 3 }]);
});

// Every text model gets a material of its own, usually the same grey: fifty models are then
// drawn with one call, in the same order.
test('neighbouring groups of alike materials are drawn as one', () => {
  const run = loadModelCode();
  const m = run('new Model3D()');
  m.setMaterial(0.8, 0.8, 0.8, 1, 1, 0.25, 0, 0, 5);
  m.setMaterial(0.8, 0.8, 0.8, 1, 1, 0.25, 0, 0, 5);
  m.setMaterial(0.8, 0.8, 0.8, 1, 1, 0.25, 0, 0, 5, 'a.png');
  m.setMaterial(0.8, 0.8, 0.8, 1, 1, 0.25, 0, 0, 5, 'a.png');
  m.setMaterial(0.8, 0.8, 0.8, 1, 1, 0.25, 0, 0, 5, 'b.png');
  m.setMaterial(0.8, 0.8, 0.7, 1, 1, 0.25, 0, 0, 5);
  // One model per material, one triangle each.
  for (let bone = 0; bone < 6; bone++) {
    for (let k = 0; k < 3; k++) m.setB(k, bone, 0, 0, 0, 1, bone, 0, 0, bone);
    m.setBI(3 * bone, 3 * bone + 1, 3 * bone + 2);
    m.setMatrix(IDENTITY);
  }
  m.setMatrix2();
  m.setMatrix3();
  m.finishData();
  const { indices, groups } = m.groupTrianglesByMaterial();
  assert.deepEqual(Array.from(indices), Array.from({ length: 18 }, (_, i) => i));
  assert.deepEqual(JSON.parse(JSON.stringify(groups)), [{ material: 0, first: 0, count: 6 }, { material: 2, first: 6, count: 6 },
    { material: 4, first: 12, count: 3 }, { material: 5, first: 15, count: 3 }]);
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
});

// The scene script's eye and target, written as the export writes them (the target from the
// third column of the camera-to-world matrix, z negated), give back the viewport's own view:
// V = S(zoom) * Ry * Rx * T(position) (row vectors), and the light from the eye to the origin.
test('the scene camera shows what the camera of the viewport shows', () => {
  const run = loadModelCode();
  const rad = Math.PI / 180;
  const table = [
    // camera rotation x, y (degrees), position, zoom
    [20, 10, [0, 0, -1500], 1], [0, 0, [0, 0, -1500], 1], [0, 180, [0, 0, -1500], 1], [-30, 150, [0, 0, -1500], 1],
    [90, 0, [0, 0, -1500], 1], [-90, 0, [0, 0, -1500], 1], [0, -90, [0, 0, -1500], 1], [35, 60, [0, 0, -900], 2.5],
    [20, 10, [40, -100, -1500], 1], [-45, 120, [0, 0, -2000], 0.5],
  ];
  for (const [ax, by, p, zoom] of table) {
    const sa = Math.sin(ax * rad), ca = Math.cos(ax * rad), sb = Math.sin(by * rad), cb = Math.cos(by * rad);
    // R = Ry * Rx, rows.
    const R = [[cb, sb * sa, -sb * ca], [0, ca, sa], [sb, -cb * sa, cb * ca]];
    const view = (q) => [0, 1, 2].map((j) => zoom * (q[0] * R[0][j] + q[1] * R[1][j] + q[2] * R[2][j]) + p[j]);
    // Camera-to-world: rows of R^T / zoom, translation = eye.
    const eye = [0, 1, 2].map((j) => -(p[0] * R[j][0] + p[1] * R[j][1] + p[2] * R[j][2]) / zoom);
    const column = [R[2][0], R[2][1], R[2][2]].map((v) => v / zoom);
    const target = [eye[0] + 100 * column[0], eye[1] + 100 * column[1], eye[2] - 100 * column[2]];
    const camera = run(`new SceneCamera().lookAt(new Vector3D(${eye}), new Vector3D(${target}), new Vector3D(0, 1, 0))`);
    const m = camera.m;
    for (const point of [[0, 0, 0], [100, 50, -30], [-80, 20, 60]]) {
      const got = [0, 1, 2, 3].map((r) => m[r] * point[0] + m[4 + r] * point[1] + m[8 + r] * point[2] + m[12 + r]);
      const want = view(point);
      // Same picture: the page's view-space point is the viewport's divided by the zoom.
      const screen = (v, w) => [v[0] / -v[2], v[1] / -v[2]];
      const close = (a, b) => a.every((v, i) => Math.abs(v - b[i]) < 1e-5);
      assert.ok(close(screen(got), screen(want)), `camera ${ax}, ${by}, ${p}, zoom ${zoom}: ${point} shows at ` +
        `${screen(got)} instead of ${screen(want)}`);
      assert.ok(Math.abs(got[2] * zoom - want[2]) < 1e-2, 'depth');
    }
    const e = Math.hypot(...eye);
    const light = Array.from(camera.toLight);
    assert.ok(light.every((v, i) => Math.abs(v + eye[i] / e) < 1e-6), `light ${light}`);
  }
  // The WebGL scene script's name for the same call.
  const same = run(`(() => {
    const a = new SceneCamera().lookAtCamera(new Vector3D(300, 400, 1200), new Vector3D(310, 380, 1100), new Vector3D(0, 1, 0));
    const b = new SceneCamera().lookAt(new Vector3D(300, 400, 1200), new Vector3D(310, 380, 1100), new Vector3D(0, 1, 0));
    return Array.from(a.m).every((v, i) => v === b.m[i]);
  })()`);
  assert.ok(same);
});
