// The line form of exported sites (QV_WEB_PAGES, by default the samples in tests/data/web): every
// file is CR LF text whose lines follow the exporter's templates, in order, with printf number
// formats. Titles of letters, digits and underscores must appear exactly; other titles (which the
// exporter escapes for their context) are only checked for being present.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { SOURCE_DIR, findSites } from './harness.mjs';

const pagesDir = path.resolve(process.env.QV_WEB_PAGES || path.join(SOURCE_DIR, 'tests', 'data', 'web'));
const sites = findSites(pagesDir);

const escape = (s) => s.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');
const F = (digits) => `-?\\d+\\.\\d{${digits}}`;
const D = '-?\\d+';
const list = (item, n) => Array(n).fill(item).join(',');

function readLines(file) {
  const text = fs.readFileSync(file, 'utf8');
  assert.ok(text.endsWith('\r\n'), `${file}: the last line ends with CR LF`);
  const lines = text.slice(0, -2).split('\r\n');
  for (const [i, line] of lines.entries()) assert.ok(!line.includes('\n') && !line.includes('\r'), `${file}:${i + 1}: bare line break`);
  return lines;
}

// Checks lines against a list of patterns, one each.
function matchAll(file, lines, patterns) {
  assert.equal(lines.length, patterns.length, `${file}: ${lines.length} lines, expected ${patterns.length}`);
  patterns.forEach((p, i) => assert.match(lines[i], new RegExp(`^${p}$`, 'u'), `${file}:${i + 1}`));
}

function titleText(title) {
  return /^[\p{L}\p{N}_]+$/u.test(title) ? escape(title) : '[^\\r\\n]+';
}

function checkModelScript(file, kind, T) {
  const lines = readLines(file);
  const t = kind === 'webgl' ? '\\t' : '    ';
  const material = `${t}this\\.setMaterial\\(${list(F(3), 8)},${F(2)}`;
  const texture = kind === 'webgl' ? ',initTexture\\("[^\\r\\n]*"\\)' : ',"[^\\r\\n]*"';
  const header = kind === 'webgl'
    ? [`var Model_${T} = function\\(\\)`, '\\{', '\\tthis\\.init\\(\\);', '']
    : [`class Model_${T} extends BoneModel3D \\{`, '  constructor\\(\\) \\{', '    super\\(\\);', ''];
  const trailer = kind === 'webgl'
    ? ['', '\\tthis\\.initBuffers\\(\\);', '\\};', `Model_${T}\\.prototype = new BoneModel3D\\(\\);`]
    : ['', '    this\\.initBuffers\\(\\);', '  \\}', '\\}'];
  header.forEach((p, i) => assert.match(lines[i], new RegExp(`^${p}$`, 'u'), `${file}:${i + 1}`));
  const end = lines.length - trailer.length;
  trailer.forEach((p, i) => assert.match(lines[end + i], new RegExp(`^${p}$`, 'u'), `${file}:${end + i + 1}`));

  const patterns = {
    material: new RegExp(`^${material}(${texture})?\\);$`),
    vertex: new RegExp(`^${t}this\\.setB\\(${list(F(4), 6)},${D},${F(4)},${F(4)},${D}\\);$`),
    triangle: new RegExp(`^${t}this\\.setBI\\(${D},${D},${D}\\);$`),
    matrix: new RegExp(`^${t}this\\.setMatrix\\(\\[${list(F(4), 16)}\\]\\);$`),
    frame: new RegExp(`^${t}this\\.setMatrix2\\(\\);$`),
    animation: new RegExp(`^${t}this\\.setMatrix3\\(\\);$`),
  };
  // Sections in order: materials, empty, vertices, empty, triangles, then with models an empty
  // line and the matrix block.
  let i = header.length;
  const take = (kindOfLine) => {
    let n = 0;
    while (i < end && patterns[kindOfLine].test(lines[i])) {
      i++;
      n++;
    }
    return n;
  };
  const empty = (what) => {
    assert.equal(lines[i], '', `${file}:${i + 1}: empty line after the ${what}`);
    i++;
  };
  take('material');
  empty('materials');
  const vertices = take('vertex');
  empty('vertices');
  const triangles = take('triangle');
  let bones = 0;
  if (i < end) {
    empty('triangles');
    while (i < end) {
      let frames = 0;
      while (i < end && !patterns.animation.test(lines[i])) {
        const matrices = take('matrix');
        assert.ok(patterns.frame.test(lines[i]), `${file}:${i + 1}: end of frame expected`);
        i++;
        if (frames === 0 && bones === 0) bones = matrices;
        assert.equal(matrices, bones, `${file}:${i}: every frame holds one matrix per model`);
        frames++;
      }
      assert.ok(i < end, `${file}: an animation is closed by setMatrix3`);
      i++;
    }
  }
  assert.equal(i, end, `${file}:${i + 1}: unexpected line ${JSON.stringify(lines[i])}`);
  return { vertices, triangles, bones };
}

for (const site of sites) {
  test(`${site.name}: files have the exported line form`, () => {
    const T = titleText(site.title);
    const css = path.join(site.dir, 'css', 'styles.css');
    matchAll(css, readLines(css), ['canvas \\{', '\\tbackground-color: #[0-9a-f]{6};', '\\}']);

    const pageFile = path.join(site.dir, `${site.title}.html`);
    matchAll(pageFile, readLines(pageFile), ['<!DOCTYPE html>', '<html lang="ja">', '<head>', '\\t<meta charset="UTF-8">',
      `\\t<title>${T}</title>`, '\\t<link href="css/styles\\.css" rel="stylesheet" type="text/css" />', '</head>', '<body>', '',
      `\\t<script src="(webgl|webgpu)/${T}\\.js"></script>`, '', '</body>', '</html>']);

    for (const kind of site.kinds) {
      const load = (name) => `document\\.write\\('<script type="text/javascript" src="${kind}/${name}"></script>'\\);`;
      const sceneFile = path.join(site.dir, kind, `${site.title}.js`);
      const point = `${F(6)}, ${F(6)}, ${F(6)}`;
      if (kind === 'webgl') {
        matchAll(sceneFile, readLines(sceneFile), [
          `document\\.write\\('<canvas id="Orvakis3D-Canvas" width="${D}" height="${D}"></canvas>'\\);`,
          load('Vector3D\\.js'), load('Matrix3D\\.js'), load('GLSL\\.js'), load('Orvakis3D\\.js'), load('Model3D\\.js'),
          load('BoneModel3D\\.js'), load('Material\\.js'), load(`Model_${T}\\.js`),
          "document\\.write\\('<script>initWebGL\\(\\);</script>'\\);", 'var _model;', 'function beginWebGL\\(\\)\\{',
          `\\t_fov = ${F(6)};`, `\\t_model = new Model_${T}\\(\\);`, '\\}', '', 'function drawWebGL\\(\\)\\{',
          `\\t_eye = new Vector3D\\(${point}\\);`, `\\t_lookAt = new Vector3D\\(${point}\\);`,
          '\\t_mvMatrix\\.lookAtCamera\\(_eye, _lookAt, new Vector3D\\(0, 1, 0\\)\\);', '\\t_model\\.draw\\(\\);', '\\}', '',
          'function onMouseDown\\(event\\)\\{\\}', '', 'function onMouseUp\\(event\\)\\{\\}', '', 'function onMouseMove\\(event\\)\\{\\}', '',
          'function onKeyDown\\(event\\)\\{\\}', '', 'function onKeyUp\\(event\\)\\{\\}']);
      } else {
        matchAll(sceneFile, readLines(sceneFile), [
          `document\\.write\\('<canvas id="Canvas_${T}" width="${D}" height="${D}"></canvas>'\\);`,
          load('Vector3D\\.js'), load('Matrix3D\\.js'), load('Zentrel3D\\.js'), load('Model3D\\.js'), load('BoneModel3D\\.js'),
          load('Material\\.js'), load('WGSL\\.js'), load(`Model_${T}\\.js`),
          `document\\.write\\('<script>initWebGPU\\("Canvas_${T}"\\);</script>'\\);`, 'let _model;', '', 'function init\\(\\) \\{',
          `\\t_fov = ${F(6)};`, `\\t_model = new Model_${T}\\(\\);`, '\\}', '', 'function draw\\(passEncoder\\) \\{',
          `\\t_camera\\.lookAt\\(new Vector3D\\(${point}\\), new Vector3D\\(${point}\\), new Vector3D\\(0, 1, 0\\)\\)`,
          '\\t_model\\.draw\\(passEncoder\\);', '\\}']);
      }
      checkModelScript(path.join(site.dir, kind, `Model_${site.title}.js`), kind, T);
    }
  });
}

test('the eleven-line model script of a scene without models', () => {
  const file = path.join(pagesDir, 'empty', 'webgl', 'Model_empty.js');
  if (!fs.existsSync(file)) return;
  assert.equal(fs.readFileSync(file, 'utf8'), ['var Model_empty = function()', '{', '\tthis.init();', '',
    '\tthis.setMaterial(0.800,0.800,0.800,1.000,1.000,0.250,0.000,0.000,5.00);', '', '', '', '\tthis.initBuffers();', '};',
    'Model_empty.prototype = new BoneModel3D();'].map((l) => l + '\r\n').join(''));
});
