// Writes the sample web exports in this folder: small scenes of boxes, turned into the files an
// export writes (page, style sheet, scene scripts and model scripts for WebGL and WebGPU) with
// the exporter's exact line templates, CR LF line ends and printf number formats. They let the
// browser tests run the runtime library before the program's own exporter produces pages.
// The runtime files themselves are not written here: the tests copy them from web_runtime.
//
//   node tests/data/web/make_samples.mjs
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
// The texture comes from the shared .mqo corpus (MIT licensed, see README.md).
const textureFolder = path.join(here, '..', '..', '..', '..', 'shared', 'corpus', 'mqo', 'nutti');
const f32 = Math.fround;
const DEG = f32(0.017453292);

// printf("%.<digits>f") of a float promoted to double: exact decimal rounding, ties to even,
// and a sign on negative zero.
function fixed(value, digits) {
  const x = f32(value);
  if (!Number.isFinite(x)) return String(x);
  const negative = x < 0 || Object.is(x, -0);
  const a = Math.abs(x);
  // a = mantissa * 2^exponent exactly.
  const view = new DataView(new ArrayBuffer(8));
  view.setFloat64(0, a);
  const bits = view.getBigUint64(0);
  const biasedExponent = Number((bits >> 52n) & 0x7ffn);
  let mantissa = bits & ((1n << 52n) - 1n);
  let exponent;
  if (biasedExponent === 0) {
    exponent = -1074;
  } else {
    mantissa |= 1n << 52n;
    exponent = biasedExponent - 1075;
  }
  const scale = 10n ** BigInt(digits);
  let scaled;
  if (exponent >= 0) {
    scaled = mantissa * scale << BigInt(exponent);
  } else {
    const numerator = mantissa * scale;
    const shift = BigInt(-exponent);
    scaled = numerator >> shift;
    const remainder = numerator - (scaled << shift);
    const half = 1n << (shift - 1n);
    if (remainder > half || (remainder === half && (scaled & 1n) === 1n)) scaled += 1n;
  }
  let text = scaled.toString().padStart(digits + 1, '0');
  if (digits > 0) text = text.slice(0, -digits) + '.' + text.slice(-digits);
  return (negative ? '-' : '') + text;
}

// ---- matrices: 4x4 row-vector matrices stored row by row, products applied left to right ----
const identity = () => [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1];
function multiply(a, b) {
  const r = new Array(16).fill(0);
  for (let i = 0; i < 4; i++) {
    for (let j = 0; j < 4; j++) {
      let s = 0;
      for (let k = 0; k < 4; k++) s = f32(s + f32(a[i * 4 + k] * b[k * 4 + j]));
      r[i * 4 + j] = s;
    }
  }
  return r;
}
const product = (...ms) => ms.reduce((a, b) => multiply(a, b));
const translation = (x, y, z) => [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1];
const scaling = (x, y, z) => [x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1];
function rotationX(degrees) {
  const c = f32(Math.cos(f32(degrees * DEG))), s = f32(Math.sin(f32(degrees * DEG)));
  return [1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1];
}
function rotationY(degrees) {
  const c = f32(Math.cos(f32(degrees * DEG))), s = f32(Math.sin(f32(degrees * DEG)));
  return [c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1];
}
function rotationZ(degrees) {
  const c = f32(Math.cos(f32(degrees * DEG))), s = f32(Math.sin(f32(degrees * DEG)));
  return [c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1];
}
function inverse(m) {
  const a = m.map((v) => v);
  const r = identity();
  for (let c = 0; c < 4; c++) {
    let p = c;
    for (let i = c + 1; i < 4; i++) if (Math.abs(a[i * 4 + c]) > Math.abs(a[p * 4 + c])) p = i;
    for (let j = 0; j < 4; j++) {
      [a[c * 4 + j], a[p * 4 + j]] = [a[p * 4 + j], a[c * 4 + j]];
      [r[c * 4 + j], r[p * 4 + j]] = [r[p * 4 + j], r[c * 4 + j]];
    }
    const d = a[c * 4 + c];
    for (let j = 0; j < 4; j++) {
      a[c * 4 + j] /= d;
      r[c * 4 + j] /= d;
    }
    for (let i = 0; i < 4; i++) {
      if (i === c) continue;
      const k = a[i * 4 + c];
      for (let j = 0; j < 4; j++) {
        a[i * 4 + j] -= k * a[c * 4 + j];
        r[i * 4 + j] -= k * r[c * 4 + j];
      }
    }
  }
  return r.map(f32);
}

// Local matrix of a pose about a pivot: T(-pivot) S R T(position + pivot), R = Z then X then Y.
function poseMatrix(pose, pivot) {
  const [px, py, pz] = pose.position;
  const [rx, ry, rz] = pose.rotation;
  const [sx, sy, sz] = pose.scale;
  return product(translation(-pivot[0], -pivot[1], -pivot[2]), scaling(sx, sy, sz),
    rotationZ(rz), rotationX(rx), rotationY(ry),
    translation(f32(px + pivot[0]), f32(py + pivot[1]), f32(pz + pivot[2])));
}

// Camera of the desktop viewport (no follow target): V = S R(z, y, x) T(position); the page gets
// the eye and target taken from the inverse of V.
function cameraPoints(camera) {
  const [px, py, pz] = camera.position;
  const [rx, ry, rz] = camera.rotation;
  const view = product(scaling(1, 1, 1), rotationZ(rz), rotationY(ry), rotationX(rx), translation(px, py, pz));
  const inv = inverse(view);
  const e = (row, column) => inv[(row - 1) * 4 + (column - 1)];
  const eye = [e(4, 1), e(4, 2), e(4, 3)];
  const target = [f32(eye[0] + f32(100 * e(1, 3))), f32(eye[1] + f32(100 * e(2, 3))), f32(eye[2] - f32(100 * e(3, 3)))];
  return { eye, target };
}

// Linear in-betweens of a track given by its keys { frame: pose }.
function track(frameCount, keys) {
  const frames = Object.keys(keys).map(Number).sort((a, b) => a - b);
  const poses = [];
  for (let f = 0; f < frameCount; f++) {
    let before = frames[0];
    let after = frames[frames.length - 1];
    for (const k of frames) {
      if (k <= f) before = k;
      if (k >= f) { after = k; break; }
    }
    if (f >= frames[frames.length - 1]) before = after = frames[frames.length - 1];
    const t = after === before ? 0 : (f - before) / (after - before);
    const a = keys[before], b = keys[after];
    const mix = (u, v) => u.map((x, i) => f32(x + (v[i] - x) * t));
    poses.push({ position: mix(a.position, b.position), rotation: mix(a.rotation, b.rotation), scale: mix(a.scale, b.scale) });
  }
  return poses;
}
const pose = (position = [0, 0, 0], rotation = [0, 0, 0], scale = [1, 1, 1]) => ({ position, rotation, scale });

// ---- geometry ----
// An axis-aligned box as six quads. Corners are ordered clockwise as seen from outside: the
// winding of the program's own models, whose visible faces appear clockwise on screen.
function addBox(model, min, max, material, uvFront) {
  const base = model.vertices.length;
  const [x0, y0, z0] = min, [x1, y1, z1] = max;
  model.vertices.push([x0, y0, z0], [x1, y0, z0], [x1, y1, z0], [x0, y1, z0],
    [x0, y0, z1], [x1, y0, z1], [x1, y1, z1], [x0, y1, z1]);
  const faces = [
    { corners: [7, 6, 5, 4], outward: [0, 0, 1] }, // front (+z): top-left, top-right, bottom-right, bottom-left
    { corners: [2, 3, 0, 1], outward: [0, 0, -1] },
    { corners: [3, 7, 4, 0], outward: [-1, 0, 0] },
    { corners: [6, 2, 1, 5], outward: [1, 0, 0] },
    { corners: [3, 2, 6, 7], outward: [0, 1, 0] },
    { corners: [4, 5, 1, 0], outward: [0, -1, 0] },
  ];
  for (const f of faces) {
    let corners = f.corners.map((c) => base + c);
    const n = faceNormal(model.vertices, corners);
    // Clockwise from outside means the face normal points inwards.
    if (n[0] * f.outward[0] + n[1] * f.outward[1] + n[2] * f.outward[2] > 0) corners = corners.reverse();
    const face = { indices: corners, material: material.side ?? material.front ?? material, uvs: [] };
    if (f.outward[2] === 1) {
      face.material = material.front ?? material;
      if (uvFront) face.uvs = [[0, 0], [1, 0], [1, 1], [0, 1]];
    }
    model.faces.push(face);
  }
}

// Face normal from the first three corners: (p0 - p1) x (p0 - p2), normalised.
function faceNormal(vertices, indices) {
  const [p0, p1, p2] = [0, 1, 2].map((i) => vertices[indices[Math.min(i, indices.length - 1)]].map(f32));
  const a = p0.map((v, i) => f32(v - p1[i]));
  const b = p0.map((v, i) => f32(v - p2[i]));
  const n = [f32(a[1] * b[2] - a[2] * b[1]), f32(a[2] * b[0] - a[0] * b[2]), f32(a[0] * b[1] - a[1] * b[0])];
  const l = Math.sqrt(f32(f32(n[0] * n[0] + n[1] * n[1]) + n[2] * n[2]));
  return l === 0 ? [0, 1, 0] : n.map((v) => f32(v / l));
}

// ---- the export ----
function exportVertices(scene) {
  const vertices = [];
  const indices = [];
  // First occurrence of each vertex (all ten values equal); keys are exact for float32 values.
  const seen = new Map();
  scene.models.forEach((model, modelIndex) => {
    for (const face of model.faces) {
      const n = face.indices.length;
      const triangles = n === 3 ? [[0, 1, 2]] : n === 4 ? [[0, 1, 2], [2, 3, 0]] : [];
      const normal = faceNormal(model.vertices, face.indices);
      for (const triangle of triangles) {
        for (const corner of triangle) {
          const p = model.vertices[face.indices[corner]];
          const uv = face.uvs.length > corner ? face.uvs[corner] : [0, 0];
          const v = [f32(p[0]), f32(p[1]), f32(p[2]), normal[0], normal[1], normal[2], face.material, f32(uv[0]), f32(uv[1]), modelIndex];
          // +0 and -0 are the same vertex.
          const key = v.map((x) => (x === 0 ? 0 : x)).join(',');
          let at = seen.get(key);
          if (at === undefined) {
            at = vertices.length;
            seen.set(key, at);
            vertices.push(v);
          }
          indices.push(at);
        }
      }
    }
  });
  return { vertices, indices };
}

// Enter (1) and leave (2) steps of the model tree, children after their parent.
function hierarchyWalk(scene) {
  const steps = [];
  const visit = (m) => {
    steps.push([1, m]);
    scene.models.forEach((child, c) => { if (child.parent === m) visit(c); });
    steps.push([2, m]);
  };
  scene.models.forEach((model, m) => { if (model.parent < 0) visit(m); });
  return steps;
}

function frameMatrices(scene, frame) {
  const result = [];
  const stack = [identity()];
  for (const [kind, m] of hierarchyWalk(scene)) {
    if (kind === 1) {
      const model = scene.models[m];
      stack.push(multiply(poseMatrix(model.track[frame], model.origin), stack[stack.length - 1]));
    } else {
      result[m] = stack.pop();
    }
  }
  return result;
}

function modelScript(scene, className, webgpu) {
  const tab = webgpu ? '    ' : '\t';
  const lines = webgpu
    ? [`class ${className} extends BoneModel3D {`, '  constructor() {', '    super();', '']
    : [`var ${className} = function()`, '{', '\tthis.init();', ''];
  for (const m of scene.materials) {
    const numbers = [...m.color.map((v) => fixed(v, 3)), fixed(m.diffuse, 3), fixed(m.ambient, 3),
      fixed(m.emissive, 3), fixed(m.specular, 3), fixed(m.power, 2)].join(',');
    if (!m.texture) lines.push(`${tab}this.setMaterial(${numbers});`);
    else if (webgpu) lines.push(`${tab}this.setMaterial(${numbers},"${m.texture}");`);
    else lines.push(`${tab}this.setMaterial(${numbers},initTexture("${m.texture}"));`);
  }
  lines.push('');
  const { vertices, indices } = exportVertices(scene);
  for (const v of vertices) {
    const text = v.map((x, i) => (i === 6 || i === 9 ? String(x) : fixed(x, 4))).join(',');
    lines.push(`${tab}this.setB(${text});`);
  }
  lines.push('');
  for (let i = 0; i < indices.length; i += 3) lines.push(`${tab}this.setBI(${indices[i]},${indices[i + 1]},${indices[i + 2]});`);
  if (scene.models.length > 0) {
    lines.push('');
    for (let k = 0; k < scene.frameCount; k++) {
      for (const matrix of frameMatrices(scene, k)) {
        lines.push(`${tab}this.setMatrix([${matrix.map((x) => fixed(x, 4)).join(',')}]);`);
      }
      lines.push(`${tab}this.setMatrix2();`);
    }
    lines.push(`${tab}this.setMatrix3();`);
  }
  lines.push('');
  lines.push(`${tab}this.initBuffers();`);
  if (webgpu) lines.push('  }', '}');
  else lines.push('};', `${className}.prototype = new BoneModel3D();`);
  return lines;
}

function styleSheet(scene) {
  const c = scene.background;
  const hex = (v) => v.toString(16).padStart(2, '0');
  return ['canvas {', `\tbackground-color: #${hex(c & 255)}${hex((c >> 8) & 255)}${hex((c >> 16) & 255)};`, '}'];
}

function page(kind, title) {
  return ['<!DOCTYPE html>', '<html lang="ja">', '<head>', '\t<meta charset="UTF-8">', `\t<title>${title}</title>`,
    '\t<link href="css/styles.css" rel="stylesheet" type="text/css" />', '</head>', '<body>', '',
    `\t<script src="${kind}/${title}.js"></script>`, '', '</body>', '</html>'];
}

function webglScene(scene, title) {
  const { eye, target } = cameraPoints(scene.camera);
  const load = (file) => `document.write('<script type="text/javascript" src="webgl/${file}"></script>');`;
  return [`document.write('<canvas id="Orvakis3D-Canvas" width="${scene.width}" height="${scene.height}"></canvas>');`,
    load('Vector3D.js'), load('Matrix3D.js'), load('GLSL.js'), load('Orvakis3D.js'), load('Model3D.js'),
    load('BoneModel3D.js'), load('Material.js'), load(`Model_${title}.js`),
    "document.write('<script>initWebGL();</script>');", 'var _model;', 'function beginWebGL(){',
    `\t_fov = ${fixed(scene.fov, 6)};`, `\t_model = new Model_${title}();`, '}', '', 'function drawWebGL(){',
    `\t_eye = new Vector3D(${eye.map((v) => fixed(v, 6)).join(', ')});`,
    `\t_lookAt = new Vector3D(${target.map((v) => fixed(v, 6)).join(', ')});`,
    '\t_mvMatrix.lookAtCamera(_eye, _lookAt, new Vector3D(0, 1, 0));', '\t_model.draw();', '}', '',
    'function onMouseDown(event){}', '', 'function onMouseUp(event){}', '', 'function onMouseMove(event){}', '',
    'function onKeyDown(event){}', '', 'function onKeyUp(event){}'];
}

function webgpuScene(scene, title) {
  const { eye, target } = cameraPoints(scene.camera);
  const load = (file) => `document.write('<script type="text/javascript" src="webgpu/${file}"></script>');`;
  return [`document.write('<canvas id="Canvas_${title}" width="${scene.width}" height="${scene.height}"></canvas>');`,
    load('Vector3D.js'), load('Matrix3D.js'), load('Zentrel3D.js'), load('Model3D.js'), load('BoneModel3D.js'),
    load('Material.js'), load('WGSL.js'), load(`Model_${title}.js`),
    `document.write('<script>initWebGPU("Canvas_${title}");</script>');`, 'let _model;', '', 'function init() {',
    `\t_fov = ${fixed(scene.fov, 6)};`, `\t_model = new Model_${title}();`, '}', '', 'function draw(passEncoder) {',
    `\t_camera.lookAt(new Vector3D(${eye.map((v) => fixed(v, 6)).join(', ')}), new Vector3D(${target.map((v) => fixed(v, 6)).join(', ')}), new Vector3D(0, 1, 0))`,
    '\t_model.draw(passEncoder);', '}'];
}

function writeLines(file, lines) {
  fs.mkdirSync(path.dirname(file), { recursive: true });
  fs.writeFileSync(file, lines.map((l) => l + '\r\n').join(''));
}

function writeSite(folder, title, scene) {
  const root = path.isAbsolute(folder) ? folder : path.join(here, folder);
  fs.rmSync(root, { recursive: true, force: true });
  writeLines(path.join(root, 'css', 'styles.css'), styleSheet(scene));
  // Both kinds share the page; its script line names the kind. The WebGPU export writes the
  // page last, so a folder holding both kinds keeps a WebGPU page: the tests write a page per
  // kind from the same template when they serve a kind.
  writeLines(path.join(root, `${title}.html`), page('webgl', title));
  writeLines(path.join(root, 'webgl', `Model_${title}.js`), modelScript(scene, `Model_${title}`, false));
  writeLines(path.join(root, 'webgl', `${title}.js`), webglScene(scene, title));
  writeLines(path.join(root, 'webgpu', `Model_${title}.js`), modelScript(scene, `Model_${title}`, true));
  writeLines(path.join(root, 'webgpu', `${title}.js`), webgpuScene(scene, title));
  for (const m of scene.materials) {
    if (m.texture) fs.copyFileSync(path.join(textureFolder, m.texture), path.join(root, m.texture));
  }
}

const material = (color, extra = {}) => ({ color, diffuse: 1, ambient: 0.25, emissive: 0, specular: 0, power: 5, texture: '', ...extra });
const defaults = { width: 800, height: 600, fov: 20, background: 0x5a411e, camera: { position: [0, 0, -1500], rotation: [20, 10, 0] } };

// With --stress FOLDER: instead of the samples, one heavy site for frame-rate measurements:
// 50 models of 100 boxes each (2,400 vertices per model), 600 frames, every model turning.
const stressAt = process.argv.indexOf('--stress');
if (stressAt >= 0) {
  const folder = path.resolve(process.argv[stressAt + 1] || 'stress');
  const frameCount = 600;
  const models = [];
  for (let m = 0; m < 50; m++) {
    const cx = (m % 10 - 4.5) * 90, cy = (Math.floor(m / 10) - 2) * 90;
    const model = { parent: -1, origin: [cx, cy, 0], vertices: [], faces: [] };
    for (let b = 0; b < 100; b++) {
      const x = cx - 36 + (b % 10) * 8, y = cy - 36 + Math.floor(b / 10) * 8;
      addBox(model, [x, y, -4], [x + 6, y + 6, 4], m % 3);
    }
    model.track = track(frameCount, { 0: pose([0, 0, 0], [0, m * 7, 0]), 599: pose([0, 0, 0], [360, m * 7 + 720, 0]) });
    models.push(model);
  }
  writeSite(folder, 'stress', {
    ...defaults, frameCount, models,
    materials: [material([0.9, 0.35, 0.2, 1]), material([0.95, 0.75, 0.2, 1]), material([0.25, 0.55, 0.95, 1])],
  });
  console.log('wrote ' + folder);
  process.exit(0);
}

// (a) A logo "HIT" of boxes: the I turns to and fro, carrying H and T, and T also spins.
{
  const frameCount = 90;
  const i = { parent: -1, origin: [0, 0, 0], vertices: [], faces: [] };
  addBox(i, [-30, -100, -20], [30, 100, 20], 0);
  i.track = track(frameCount, { 0: pose([0, 0, 0], [0, -25, 0]), 45: pose([0, 0, 0], [0, 25, 0]), 89: pose([0, 0, 0], [0, -25, 0]) });
  const h = { parent: 0, origin: [-160, 0, 0], vertices: [], faces: [] };
  addBox(h, [-230, -100, -20], [-190, 100, 20], 1);
  addBox(h, [-130, -100, -20], [-90, 100, 20], 1);
  addBox(h, [-190, -15, -20], [-130, 15, 20], 1);
  h.track = track(frameCount, { 0: pose() });
  const t = { parent: 0, origin: [160, 0, 0], vertices: [], faces: [] };
  addBox(t, [90, 70, -20], [230, 100, 20], 2);
  addBox(t, [140, -100, -20], [180, 70, 20], 2);
  t.track = track(frameCount, { 0: pose(), 89: pose([0, 0, 0], [0, 360, 0]) });
  writeSite('logo', 'logo', {
    ...defaults, frameCount, models: [i, h, t],
    materials: [material([0.9, 0.35, 0.2, 1]), material([0.95, 0.75, 0.2, 1], { specular: 0.5, power: 20 }),
      material([0.25, 0.55, 0.95, 0.8])],
  });
}

// (b) A textured slab seen from the front, rocking gently; its front face carries the texture.
{
  const frameCount = 60;
  const slab = { parent: -1, origin: [0, 0, 0], vertices: [], faces: [] };
  addBox(slab, [-150, -150, -20], [150, 150, 20], { front: 0, side: 1 }, true);
  slab.track = track(frameCount, { 0: pose([0, 0, 0], [0, -15, 0]), 30: pose([0, 0, 0], [0, 15, 0]), 59: pose([0, 0, 0], [0, -15, 0]) });
  writeSite('textured', 'textured', {
    ...defaults, background: 0x503010, camera: { position: [0, 0, -1500], rotation: [0, 0, 0] }, frameCount, models: [slab],
    materials: [material([1, 1, 1, 1], { texture: 'texture.png' }), material([0.3, 0.6, 0.3, 1])],
  });
}

// (c) A still scene with a Japanese title: only the key at frame 0, so every frame is the same.
{
  const frameCount = 60;
  const cube = { parent: -1, origin: [0, 0, 0], vertices: [], faces: [] };
  addBox(cube, [-80, -80, -80], [80, 80, 80], 0);
  cube.track = track(frameCount, { 0: pose([0, 0, 0], [10, 30, 0]) });
  const base = { parent: -1, origin: [0, 0, 0], vertices: [], faces: [] };
  addBox(base, [-250, -140, -120], [250, -100, 120], 1);
  base.track = track(frameCount, { 0: pose() });
  writeSite('still', '静止', {
    ...defaults, width: 640, height: 480, fov: 25, background: 0x404040,
    camera: { position: [0, 0, -1500], rotation: [15, 0, 0] }, frameCount, models: [cube, base],
    materials: [material([0.2, 0.8, 0.3, 1], { emissive: 0.2, specular: 0.6, power: 10 }), material([0.7, 0.7, 0.75, 1])],
  });
}

// (d) No models: the model script holds the default material only.
writeSite('empty', 'empty', { ...defaults, frameCount: 0, models: [], materials: [material([0.8, 0.8, 0.8, 1])] });
