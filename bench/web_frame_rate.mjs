// Reports the frame rate an exported page reaches in headless Chromium (software rendering, the
// same browser set-up as the browser tests). The player draws when the 30-frames-per-second
// clock moves on, so 30 drawn frames per second means the page keeps up.
//
//   node bench/web_frame_rate.mjs SITE_FOLDER [--kind webgl|webgpu] [--seconds 5] [--runtime DIR]
//
// SITE_FOLDER holds T.html and webgl/T.js or webgpu/T.js (an export); runtime files it lacks come
// from --runtime (default: web_runtime in the source tree).
import path from 'node:path';
import { SOURCE_DIR, launchBrowser, startServer, findSites, stageSite } from '../tests/browser/harness.mjs';

function option(name, fallback) {
  const at = process.argv.indexOf(name);
  return at >= 0 && process.argv[at + 1] ? process.argv[at + 1] : fallback;
}

const folder = process.argv[2];
if (!folder || folder.startsWith('--')) {
  console.error('usage: node bench/web_frame_rate.mjs SITE_FOLDER [--kind webgl|webgpu] [--seconds 5] [--runtime DIR]');
  process.exit(2);
}
const seconds = Number(option('--seconds', '5'));
const runtimeDir = path.resolve(option('--runtime', path.join(SOURCE_DIR, 'web_runtime')));
const site = findSites(path.resolve(folder)).find((s) => path.resolve(s.dir) === path.resolve(folder));
if (!site) {
  console.error(`no exported site in ${folder}`);
  process.exit(2);
}
const kinds = process.argv.includes('--kind') ? [option('--kind', '')] : site.kinds;

const browser = await launchBrowser();
try {
  for (const kind of kinds) {
    const staged = stageSite(site, kind, runtimeDir);
    const server = await startServer(staged.root);
    const page = await browser.newPage({ viewport: { width: 1024, height: 800 } });
    page.on('pageerror', (e) => console.error(`page error: ${e.message}`));
    try {
      const loadStart = Date.now();
      await page.goto(server.url + staged.pageUrl, { waitUntil: 'load' });
      await page.waitForFunction(() => typeof _model !== 'undefined' && _model !== undefined && !!_model.gpu, null,
        { timeout: 120000, polling: 100 });
      const loadSeconds = (Date.now() - loadStart) / 1000;
      // Count the scene script's draw calls and the browser's animation frames.
      await page.evaluate((kind) => {
        const name = kind === 'webgl' ? 'drawWebGL' : 'draw';
        const original = window[name];
        window.__draws = 0;
        window.__frames = 0;
        window[name] = function (...args) {
          window.__draws++;
          return original.apply(this, args);
        };
        const tick = () => {
          window.__frames++;
          requestAnimationFrame(tick);
        };
        requestAnimationFrame(tick);
        window.__since = performance.now();
      }, kind);
      await page.waitForTimeout(seconds * 1000);
      const r = await page.evaluate(() => ({
        draws: window.__draws, frames: window.__frames, elapsed: (performance.now() - window.__since) / 1000,
        vertices: _model.vertexCount, bones: _model.boneCount, animationFrames: _model.frameCount,
      }));
      console.log(`${site.title} ${kind}: ${(r.draws / r.elapsed).toFixed(1)} drawn frames/s of 30 ` +
        `(browser animation frames ${(r.frames / r.elapsed).toFixed(1)}/s; ${r.vertices} vertices, ${r.bones} bones, ` +
        `${r.animationFrames} frames; loaded in ${loadSeconds.toFixed(1)} s; measured over ${r.elapsed.toFixed(1)} s)`);
    } finally {
      await page.close();
      await server.close();
      staged.remove();
    }
  }
} finally {
  await browser.close();
}
