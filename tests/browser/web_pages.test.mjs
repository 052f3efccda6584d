// Plays exported web pages in headless Chromium (software WebGL and WebGPU) and checks what a
// visitor sees. The pages come from a folder of exported sites (QV_WEB_PAGES, by default the
// hand-made samples in tests/data/web); each site is served over HTTP on 127.0.0.1 from a
// temporary copy, for every kind it holds. Runtime files a site lacks come from QV_RUNTIME_DIR
// (by default web_runtime in the source tree). QV_SCREENSHOT_DIR, when set, keeps the screenshots.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import {
  SOURCE_DIR, launchBrowser, startServer, findSites, stageSite, readExpectations, decodePng, colourDistance,
} from './harness.mjs';

const pagesDir = path.resolve(process.env.QV_WEB_PAGES || path.join(SOURCE_DIR, 'tests', 'data', 'web'));
const runtimeDir = path.resolve(process.env.QV_RUNTIME_DIR || path.join(SOURCE_DIR, 'web_runtime'));
const shotDir = process.env.QV_SCREENSHOT_DIR || '';
const sites = findSites(pagesDir);

let browser;
before(async () => {
  browser = await launchBrowser();
});
after(async () => {
  if (browser) await browser.close();
});

// ---- page scripts injected before the page's own (variants of the browser) ----
const withoutWebGL2 = () => {
  const getContext = HTMLCanvasElement.prototype.getContext;
  HTMLCanvasElement.prototype.getContext = function (type, ...rest) {
    return type === 'webgl2' ? null : getContext.call(this, type, ...rest);
  };
};
const withoutFloatTextures = () => {
  const getExtension = WebGLRenderingContext.prototype.getExtension;
  WebGLRenderingContext.prototype.getExtension = function (name) {
    return name === 'OES_texture_float' ? null : getExtension.call(this, name);
  };
};
const withoutWebGPU = () => {
  Object.defineProperty(Navigator.prototype, 'gpu', { get: () => undefined, configurable: true });
};
const withoutAdapter = () => {
  if (navigator.gpu) navigator.gpu.requestAdapter = () => Promise.resolve(null);
};
// requestAnimationFrame driven by the test: window.__tick(time) runs the waiting callbacks.
const manualClock = () => {
  let waiting = [];
  window.requestAnimationFrame = (callback) => {
    waiting.push(callback);
    return waiting.length;
  };
  window.__tick = (time) => {
    const run = waiting;
    waiting = [];
    for (const callback of run) callback(time);
  };
};

// Opens a site staged for one kind; collects console errors, page errors and failed loads.
async function openSite(site, kind, { init = [], fileProtocol = false } = {}) {
  const staged = stageSite(site, kind, runtimeDir);
  const server = fileProtocol ? null : await startServer(staged.root);
  const page = await browser.newPage({ viewport: { width: 1024, height: 800 } });
  const messages = [];
  const errors = [];
  page.on('console', (m) => {
    messages.push({ type: m.type(), text: m.text() });
    if (m.type() === 'error') errors.push('console error: ' + m.text());
  });
  page.on('pageerror', (e) => errors.push('page error: ' + e.message));
  page.on('requestfailed', (r) => errors.push(`request failed: ${r.url()} (${r.failure()?.errorText})`));
  page.on('response', (r) => {
    if (r.status() >= 400) errors.push(`HTTP ${r.status()} for ${r.url()}`);
  });
  for (const script of init) await page.addInitScript(script);
  const url = fileProtocol ? pathToFileURL(path.join(staged.root, `${site.title}.html`)).href : server.url + staged.pageUrl;
  await page.goto(url, { waitUntil: 'load' });
  return {
    page, messages, errors,
    close: async () => {
      await page.close();
      if (server) await server.close();
      staged.remove();
    },
  };
}

// Waits until the scene script has its model, images have arrived and a few frames were drawn.
async function waitUntilPlaying(page) {
  await page.waitForFunction(() => typeof _model !== 'undefined' && _model !== undefined && !!_model.gpu &&
    (typeof Orvakis3D !== 'undefined' ? Orvakis3D : Zentrel3D).framesDrawn > 0, null, { timeout: 30000 });
  await page.waitForLoadState('networkidle');
  await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(() => requestAnimationFrame(resolve)))));
}

async function screenshot(page, name) {
  const buffer = await page.locator('canvas').screenshot();
  if (shotDir) {
    fs.mkdirSync(shotDir, { recursive: true });
    fs.writeFileSync(path.join(shotDir, name.replace(/[^\w.-]+/g, '_') + '.png'), buffer);
  }
  return decodePng(buffer);
}

// Per channel, the colours this material shows over the background on a surface that faces
// the light (the camera) at least half-way: emissive + ambient + diffuse with the light's angle
// cosine from 0.5 to 1, plus up to the full specular; a texture may darken it to black.
function litRange(material, background) {
  const [r, g, b, a] = material.colour;
  const low = [], high = [];
  [r, g, b].forEach((c, i) => {
    const unlit = c * material.emissive + 1.2 * c * material.ambient;
    const base = Math.min(1, unlit + 0.8 * c * material.diffuse * 0.5);
    const top = Math.min(1, Math.min(1, unlit + 0.8 * c * material.diffuse) + 0.8 * material.specular);
    const alpha = Math.min(Math.max(a, 0), 1);
    low.push(alpha * (material.texture ? 0 : base) * 255 + (1 - alpha) * background[i]);
    high.push(alpha * top * 255 + (1 - alpha) * background[i]);
  });
  return { low, high };
}

const inRange = (p, range, tolerance) => p.every((v, i) => v >= range.low[i] - tolerance && v <= range.high[i] + tolerance);

// The checks every page must pass; returns the first screenshot.
async function checkPlayback(site, kind, label, options = {}) {
  const expected = readExpectations(site, kind);
  const s = await openSite(site, kind, options);
  try {
    await waitUntilPlaying(s.page);
    const canvas = s.page.locator('canvas');
    assert.equal(await canvas.count(), 1, 'one canvas');
    const size = await canvas.evaluate((c) => [c.width, c.height]);
    if (expected.width) assert.deepEqual(size, [expected.width, expected.height], 'canvas size from the scene script');
    if (options.afterStart) await options.afterStart(s.page);

    const first = await screenshot(s.page, `${site.name}-${label}-1`);
    await s.page.waitForTimeout(500);
    const second = await screenshot(s.page, `${site.name}-${label}-2`);
    assert.deepEqual([first.width, first.height], size, 'the screenshot covers the canvas');

    // The style sheet's background shows where no model is.
    const { width, height } = first;
    const corners = [[2, 2], [width - 3, 2], [2, height - 3], [width - 3, height - 3]];
    for (const [x, y] of corners) {
      assert.ok(colourDistance(first.at(x, y), expected.background) <= 2,
        `background at (${x}, ${y}) is ${first.at(x, y)}, style sheet says ${expected.background}`);
    }

    if (expected.vertexCount === 0) {
      for (let y = 0; y < height; y += 7) {
        for (let x = 0; x < width; x += 7) {
          assert.ok(colourDistance(first.at(x, y), expected.background) <= 2, `an empty scene shows only the background (${x}, ${y})`);
        }
      }
    } else {
      // A lit colour of one of the materials at the centre (a few pixels around it, so a thin
      // gap of a letter does not count against the page).
      const ranges = expected.materials.map((m) => litRange(m, expected.background));
      const cx = Math.floor(width / 2), cy = Math.floor(height / 2);
      let found = null;
      for (let dy = -6; dy <= 6 && !found; dy++) {
        for (let dx = -6; dx <= 6 && !found; dx++) {
          const p = first.at(cx + dx, cy + dy);
          if (colourDistance(p, expected.background) > 8 && ranges.some((r) => inRange(p, r, 10))) found = p;
        }
      }
      assert.ok(found, `lit model colour at the centre: got ${first.at(cx, cy)}, expected one of ` +
        JSON.stringify(ranges.map((r) => [r.low.map(Math.round), r.high.map(Math.round)])));
    }

    let changed = 0;
    for (let i = 0; i < first.pixels.length; i += 4) {
      if (first.pixels[i] !== second.pixels[i] || first.pixels[i + 1] !== second.pixels[i + 1] || first.pixels[i + 2] !== second.pixels[i + 2]) changed++;
    }
    if (expected.moving) {
      assert.ok(changed > 0, 'the animation moves: the two screenshots are equal');
    } else {
      assert.equal(changed, 0, 'a scene without keys stands still');
    }

    if (expected.textured) {
      const seen = await textureColoursSeen(s.page, first, expected);
      if (options.untextured) {
        assert.ok(seen.some(([, shown]) => !shown), 'drawn without the texture: ' + JSON.stringify(seen));
      } else {
        for (const [colour, shown] of seen) assert.ok(shown, `texture colour ${colour} appears on the model`);
      }
    }
    assert.deepEqual(s.errors, [], 'no errors while loading and playing');
    return { first, expected, page: s.page, messages: s.messages };
  } finally {
    await s.close();
  }
}

// For each of the texture's main colours (as the browser decodes the image): whether it appears
// on the model, scaled by the lighting and the material colour. Result: [[colour, seen], ...].
async function textureColoursSeen(page, shot, expected) {
  const material = expected.materials.find((m) => m.texture);
  const image = fs.readFileSync(path.join(expected.dir, material.texture)).toString('base64');
  const main = await page.evaluate(async (base64) => {
    const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
    const bitmap = await createImageBitmap(new Blob([bytes]), { colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
    const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
    const context = canvas.getContext('2d');
    context.drawImage(bitmap, 0, 0);
    const data = context.getImageData(0, 0, bitmap.width, bitmap.height).data;
    const buckets = new Map();
    for (let i = 0; i < data.length; i += 4) {
      const key = (data[i] >> 5) * 64 + (data[i + 1] >> 5) * 8 + (data[i + 2] >> 5);
      const b = buckets.get(key) || { n: 0, r: 0, g: 0, b: 0 };
      b.n++; b.r += data[i]; b.g += data[i + 1]; b.b += data[i + 2];
      buckets.set(key, b);
    }
    const total = data.length / 4;
    return [...buckets.values()].sort((a, b) => b.n - a.n).filter((b) => b.n >= total * 0.15).slice(0, 3)
      .map((b) => [b.r / b.n, b.g / b.n, b.b / b.n]);
  }, image);
  assert.ok(main.length > 0, 'the texture has main colours');
  const model = [];
  for (let y = 0; y < shot.height; y += 2) {
    for (let x = 0; x < shot.width; x += 2) {
      const p = shot.at(x, y);
      if (colourDistance(p, expected.background) > 12) model.push(p);
    }
  }
  return main.map((t) => {
    const c = t.map((v, i) => v * material.colour[i]);
    const dark = Math.max(...c) < 24;
    // A lit texel is k * c plus a grey specular highlight s: fit both by least squares.
    const n = 3, sc = c[0] + c[1] + c[2], scc = c[0] * c[0] + c[1] * c[1] + c[2] * c[2];
    const det = scc * n - sc * sc;
    const seen = model.some((p) => {
      if (dark) return Math.max(...p) <= 40;
      const sp = p[0] + p[1] + p[2], scp = p[0] * c[0] + p[1] * c[1] + p[2] * c[2];
      let k, s;
      if (Math.abs(det) < 1e-6) { k = scp / scc; s = 0; } else { k = (scp * n - sc * sp) / det; s = (scc * sp - sc * scp) / det; }
      if (s < 0) { s = 0; k = scp / scc; }
      return k >= 0.3 && k <= 1.25 && s <= 160 && p.every((v, i) => Math.abs(v - Math.min(255, k * c[i] + s)) <= 16);
    });
    return [t.map(Math.round), seen];
  });
}

test('the pages folder holds exported sites', () => {
  assert.ok(sites.length > 0, `no exported site (a folder with T.html and webgl/T.js or webgpu/T.js) in ${pagesDir}`);
});

for (const site of sites) {
  for (const kind of site.kinds) {
    test(`${site.name} plays with ${kind}`, async () => {
      await checkPlayback(site, kind, kind);
    });
  }

  if (site.kinds.includes('webgl')) {
    test(`${site.name} plays with WebGL 1 when WebGL 2 is missing`, async () => {
      await checkPlayback(site, 'webgl', 'webgl1', {
        init: [withoutWebGL2],
        afterStart: async (page) => {
          assert.deepEqual(await page.evaluate(() => [Orvakis3D.webgl2, _model.gpu.boneMode || null]),
            [false, readExpectations(site, 'webgl').vertexCount ? 'texture' : null]);
        },
      });
    });
    test(`${site.name} plays with WebGL 1 without float textures (bones on the CPU)`, async () => {
      await checkPlayback(site, 'webgl', 'webgl1-cpu', {
        init: [withoutWebGL2, withoutFloatTextures],
        afterStart: async (page) => {
          assert.deepEqual(await page.evaluate(() => [Orvakis3D.webgl2, _model.gpu.boneMode || null]),
            [false, readExpectations(site, 'webgl').vertexCount ? 'none' : null]);
        },
      });
    });
  }

  // Playback follows the clock at 30 frames per second: frames are skipped when the browser
  // is slow and repeated when it is fast.
  const moving = site.kinds.filter((k) => readExpectations(site, k).moving);
  for (const kind of moving) {
    test(`${site.name} (${kind}) shows the frame the clock says`, async () => {
      const s = await openSite(site, kind, { init: [manualClock] });
      try {
        // Polled by time: the page's own animation frames are stopped.
        const player = kind === 'webgl' ? 'Orvakis3D' : 'Zentrel3D';
        await s.page.waitForFunction((p) => typeof _model !== 'undefined' && _model !== undefined && !!_model.gpu &&
          window.eval(p).started, player, { timeout: 30000, polling: 50 });
        const frames = await s.page.evaluate((player) => {
          const engine = window.eval(player);
          const seen = [];
          for (const t of [5000, 5000 + 1000, 5000 + 1010, 5000 + 1500.5, 5000 + 1500.5, 5000 + 4000]) {
            window.__tick(t);
            seen.push([engine.frameNumber, _model.gpu.shownFrame]);
          }
          return seen;
        }, player);
        assert.deepEqual(frames, [[0, 0], [30, 30], [30, 30], [45, 45], [45, 45], [120, 120]]);
        assert.deepEqual(s.errors, []);
      } finally {
        await s.close();
      }
    });
  }

  // Opened from the file system the page cannot read images: it plays untextured with one warning.
  const textured = site.kinds.filter((k) => readExpectations(site, k).textured);
  for (const kind of textured) {
    test(`${site.name} (${kind}) opened as a file plays untextured with one warning`, async () => {
      const result = await checkPlayback(site, kind, `${kind}-file`, { fileProtocol: true, untextured: true });
      const warnings = result.messages.filter((m) => m.type === 'warning' && m.text.includes('file://'));
      assert.equal(warnings.length, 1, JSON.stringify(result.messages));
    });
  }
}

const webglSite = sites.find((s) => s.kinds.includes('webgl'));
if (webglSite) {
  test('without any WebGL the WebGL page shows a message instead of the canvas', async () => {
    const withoutWebGL = () => {
      const getContext = HTMLCanvasElement.prototype.getContext;
      HTMLCanvasElement.prototype.getContext = function (type, ...rest) {
        return /webgl/.test(type) ? null : getContext.call(this, type, ...rest);
      };
    };
    const s = await openSite(webglSite, 'webgl', { init: [withoutWebGL] });
    try {
      const box = s.page.getByText('WebGL', { exact: false });
      await box.first().waitFor({ timeout: 30000 });
      assert.equal(await s.page.locator('canvas').count(), 0);
      assert.deepEqual(s.errors, []);
    } finally {
      await s.close();
    }
  });
}

const webgpuSite = sites.find((s) => s.kinds.includes('webgpu'));
if (webgpuSite) {
  for (const [what, script] of [['navigator.gpu', withoutWebGPU], ['an adapter', withoutAdapter]]) {
    test(`without ${what} the WebGPU page shows a message instead of the canvas`, async () => {
      const s = await openSite(webgpuSite, 'webgpu', { init: [script] });
      try {
        const box = s.page.getByText('WebGPU', { exact: false });
        await box.first().waitFor({ timeout: 30000 });
        assert.equal(await s.page.locator('canvas').count(), 0);
        assert.match(await box.first().textContent(), /WebGPU/);
        assert.deepEqual(s.errors, []);
      } finally {
        await s.close();
      }
    });
  }
}
