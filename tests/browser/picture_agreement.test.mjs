// What the exported pages show is what the viewport shows: for each scene made by
// make_agreement_sites.sh (QV_AGREEMENT_DIR), the WebGL and the WebGPU page opened with
// ?frame=N are compared with `qvlogo render --frame N --no-guides` of the same size. At most 1 %
// of the pixels may differ beyond a small tolerance. The shares are printed (and written to
// QV_SCREENSHOT_DIR/agreement.txt); on a failure the page's picture and a diff picture (differing
// pixels red) are kept in QV_SCREENSHOT_DIR.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import {
  SOURCE_DIR, launchBrowser, startServer, findSites, stageSite, decodePng, encodePng, comparePictures,
} from './harness.mjs';

const sitesDir = path.resolve(process.env.QV_AGREEMENT_DIR || path.join(SOURCE_DIR, 'build', 'agreement-sites'));
const runtimeDir = path.resolve(process.env.QV_RUNTIME_DIR || path.join(SOURCE_DIR, 'build', 'bin', 'DoNotTouch'));
const shotDir = process.env.QV_SCREENSHOT_DIR || '';
const TOLERANCE = 16;
const MAX_SHARE = 0.01;

const scenes = fs.readFileSync(path.join(sitesDir, 'scenes.txt'), 'utf8').trim().split('\n')
  .map((line) => line.split(' ')).map(([name, frame]) => ({ name, frame: Number(frame) }));
const sites = findSites(sitesDir);

let browser;
before(async () => {
  browser = await launchBrowser();
});
after(async () => {
  if (browser) await browser.close();
});

// Opens the site's page for a kind at ?frame=N and returns the canvas's picture once the still
// frame is drawn with its textures.
async function stillFramePicture(site, kind, frame, { deviceScaleFactor = 1 } = {}) {
  const staged = stageSite(site, kind, runtimeDir);
  const server = await startServer(staged.root);
  const page = await browser.newPage({ viewport: { width: 1024, height: 800 }, deviceScaleFactor });
  const errors = [];
  page.on('pageerror', (e) => errors.push('page error: ' + e.message));
  page.on('console', (m) => {
    if (m.type() === 'error') errors.push('console error: ' + m.text());
  });
  try {
    await page.goto(`${server.url}${staged.pageUrl}?frame=${frame}`, { waitUntil: 'load' });
    const player = kind === 'webgl' ? 'Orvakis3D' : 'Zentrel3D';
    await page.waitForFunction((p) => window.eval(p).framesDrawn > 0, player, { timeout: 60000 });
    await page.waitForLoadState('networkidle');
    // Textures arriving late make the player draw the frame again.
    await page.waitForFunction((p) => !window.eval(p).dirty, player, { timeout: 30000 });
    await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
    const shown = await page.evaluate((p) => window.eval(p).frameNumber, player);
    assert.equal(shown, frame, 'the page stays at the frame asked for');
    const picture = decodePng(await page.locator('canvas').screenshot());
    assert.deepEqual(errors, [], 'no errors while loading');
    return picture;
  } finally {
    await page.close();
    await server.close();
    staged.remove();
  }
}

const figures = [];
after(() => {
  if (shotDir && figures.length) {
    fs.mkdirSync(shotDir, { recursive: true });
    fs.writeFileSync(path.join(shotDir, 'agreement.txt'), figures.join('\n') + '\n');
  }
});

test('the scenes were made', () => {
  for (const wanted of ['logo', 'textured', 'hierarchy', 'translucent', 'shading'])
    assert.ok(scenes.some((s) => s.name === wanted), `${wanted} is missing from ${sitesDir}`);
});

for (const { name, frame } of scenes) {
  const site = sites.find((s) => s.name === name);
  for (const kind of ['webgl', 'webgpu']) {
    test(`${name} (${kind}) at ?frame=${frame} shows the viewport's picture`, async () => {
      assert.ok(site && site.kinds.includes(kind), `no ${kind} site for ${name}`);
      const viewport = decodePng(fs.readFileSync(path.join(site.dir, `viewport_${frame}.png`)));
      const picture = await stillFramePicture(site, kind, frame);
      const result = comparePictures(picture, viewport, TOLERANCE);
      const line = `${name} ${kind} frame ${frame}: ${(100 * result.share).toFixed(3)} % of ${result.total} pixels differ ` +
        `(${result.differing}; tolerance ${TOLERANCE} and one pixel; the model covers ${result.covered})`;
      figures.push(line);
      console.log(line);
      const failed = result.share > MAX_SHARE || result.covered < result.total * 0.005;
      if (failed && shotDir) {
        fs.mkdirSync(shotDir, { recursive: true });
        fs.writeFileSync(path.join(shotDir, `${name}_${kind}_page.png`), encodePng(picture.width, picture.height, picture.pixels));
        fs.writeFileSync(path.join(shotDir, `${name}_${kind}_viewport.png`), encodePng(viewport.width, viewport.height, viewport.pixels));
        fs.writeFileSync(path.join(shotDir, `${name}_${kind}_diff.png`), encodePng(result.diff.length / 4 / viewport.height, viewport.height, result.diff));
      }
      assert.ok(result.covered >= result.total * 0.005, `${name}: the viewport's picture shows the model`);
      assert.ok(result.share <= MAX_SHARE, line);
    });
  }
}
