// Exported pages on high-density screens, their textures' mipmaps, and the pages under GPU
// faults, on the logo site made by make_agreement_sites.sh (QV_AGREEMENT_DIR): the drawing buffer
// follows devicePixelRatio while the canvas keeps its size on the page; a texture's smaller
// levels hold its averaged colours; a WebGL context lost and given back is set up again and the
// page plays on; a lost WebGPU device and a shader that does not compile show the page's message
// instead of a frozen canvas.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import {
  SOURCE_DIR, KINDS, launchBrowser, startServer, findSites, stageSite, decodePng, comparePictures,
} from './harness.mjs';

const sitesDir = path.resolve(process.env.QV_AGREEMENT_DIR || path.join(SOURCE_DIR, 'build', 'agreement-sites'));
const runtimeDir = path.resolve(process.env.QV_RUNTIME_DIR || path.join(SOURCE_DIR, 'build', 'bin', 'DoNotTouch'));
const site = findSites(sitesDir).find((s) => s.name === 'logo');
const PLAYER = { webgl: 'Orvakis3D', webgpu: 'Zentrel3D' };

let browser;
before(async () => {
  browser = await launchBrowser();
});
after(async () => {
  if (browser) await browser.close();
});

async function openPage(kind, { query = '', deviceScaleFactor = 1, init = [] } = {}) {
  const staged = stageSite(site, kind, runtimeDir);
  const server = await startServer(staged.root);
  const page = await browser.newPage({ viewport: { width: 1024, height: 800 }, deviceScaleFactor });
  const errors = [];
  page.on('pageerror', (e) => errors.push('page error: ' + e.message));
  page.on('console', (m) => {
    if (m.type() === 'error') errors.push('console error: ' + m.text());
  });
  for (const script of init) await page.addInitScript(script);
  await page.goto(server.url + staged.pageUrl + query, { waitUntil: 'load' });
  return {
    page, errors,
    close: async () => {
      await page.close();
      await server.close();
      staged.remove();
    },
  };
}

const drawn = (page, kind) => page.evaluate((p) => window.eval(p).framesDrawn, PLAYER[kind]);

for (const kind of KINDS) {
  test(`${kind}: with devicePixelRatio 2 the drawing buffer is twice the canvas's size on the page`, async () => {
    const s = await openPage(kind, { query: '?frame=20', deviceScaleFactor: 2 });
    try {
      await s.page.waitForFunction((p) => window.eval(p).framesDrawn > 0, PLAYER[kind], { timeout: 60000 });
      const sizes = await s.page.locator('canvas').evaluate((c) => {
        const box = c.getBoundingClientRect();
        return { buffer: [c.width, c.height], css: [box.width, box.height] };
      });
      assert.deepEqual(sizes.css, [480, 360], 'the canvas keeps its size on the page');
      assert.deepEqual(sizes.buffer, [960, 720], 'the drawing buffer has the device pixels');
      // Sharp: the device pixels show the viewport's picture drawn at twice the size.
      const picture = decodePng(await s.page.locator('canvas').screenshot({ scale: 'device' }));
      const viewport = decodePng(fs.readFileSync(path.join(site.dir, 'viewport_20_x2.png')));
      const result = comparePictures(picture, viewport, 16);
      console.log(`logo ${kind} at devicePixelRatio 2: ${(100 * result.share).toFixed(3)} % of ${result.total} pixels differ`);
      assert.ok(result.share <= 0.01, `${(100 * result.share).toFixed(3)} % of the pixels differ from the double-size picture`);
      assert.deepEqual(s.errors, []);
    } finally {
      await s.close();
    }
  });
}

test('webgl: a lost context is set up again when it comes back, and the page plays on', async () => {
  const s = await openPage('webgl');
  try {
    await s.page.waitForFunction(() => Orvakis3D.framesDrawn > 2, null, { timeout: 60000 });
    await s.page.evaluate(() => {
      window.__loseContext = Orvakis3D.gl.getExtension('WEBGL_lose_context');
      window.__loseContext.loseContext();
    });
    await s.page.waitForFunction(() => Orvakis3D.contextLost && Orvakis3D.gl.isContextLost(), null, { timeout: 10000 });
    const whileLost = await drawn(s.page, 'webgl');
    await s.page.waitForTimeout(300);
    assert.equal(await drawn(s.page, 'webgl'), whileLost, 'nothing is drawn while the context is lost');
    await s.page.evaluate(() => window.__loseContext.restoreContext());
    await s.page.waitForFunction((n) => !Orvakis3D.contextLost && Orvakis3D.framesDrawn > n + 3, whileLost, { timeout: 30000 });
    // New buffers on the new context, and the picture moves and shows the model.
    const state = await s.page.evaluate(() => ({ buffer: Orvakis3D.gl.isBuffer(_model.gpu.vertexBuffer), frame: Orvakis3D.frameNumber }));
    assert.ok(state.buffer, 'the model has its buffers again');
    const first = decodePng(await s.page.locator('canvas').screenshot());
    await s.page.waitForTimeout(400);
    const second = decodePng(await s.page.locator('canvas').screenshot());
    const background = Array.from(first.pixels.subarray(0, 3));
    let model = 0, changed = 0;
    for (let i = 0; i < first.pixels.length; i += 4) {
      if (Math.abs(first.pixels[i] - background[0]) + Math.abs(first.pixels[i + 1] - background[1]) > 30) model++;
      if (first.pixels[i] !== second.pixels[i] || first.pixels[i + 1] !== second.pixels[i + 1]) changed++;
    }
    assert.ok(model > first.width * first.height * 0.005, 'the model is drawn again');
    assert.ok(changed > 0, 'the animation moves on');
    assert.deepEqual(s.errors, []);
  } finally {
    await s.close();
  }
});

test('webgpu: a lost device shows the message instead of a frozen canvas', async () => {
  const s = await openPage('webgpu');
  try {
    await s.page.waitForFunction(() => Zentrel3D.framesDrawn > 2, null, { timeout: 60000 });
    await s.page.evaluate(() => Zentrel3D.device.destroy());
    const box = s.page.getByText('WebGPU', { exact: false });
    await box.first().waitFor({ timeout: 30000 });
    assert.match(await box.first().textContent(), /lost/);
    assert.equal(await s.page.locator('canvas').count(), 0);
    assert.deepEqual(s.errors, []);
  } finally {
    await s.close();
  }
});

// Shader sources the device cannot compile.
const brokenGlsl = () => {
  for (const type of [window.WebGLRenderingContext, window.WebGL2RenderingContext]) {
    const shaderSource = type.prototype.shaderSource;
    type.prototype.shaderSource = function (shader, source) {
      return shaderSource.call(this, shader, source.replace('void main()', 'void main() { broken }\nvoid unused()'));
    };
  }
};
const brokenWgsl = () => {
  if (!window.GPUDevice) return;
  const createShaderModule = GPUDevice.prototype.createShaderModule;
  GPUDevice.prototype.createShaderModule = function (descriptor) {
    return createShaderModule.call(this, { ...descriptor, code: descriptor.code.replace('@vertex', 'broken @vertex') });
  };
};

for (const [kind, script] of [['webgl', brokenGlsl], ['webgpu', brokenWgsl]]) {
  test(`${kind}: a shader that does not compile shows the message`, async () => {
    const s = await openPage(kind, { init: [script] });
    try {
      const box = s.page.getByText('shader', { exact: false });
      await box.first().waitFor({ timeout: 30000 });
      assert.equal(await s.page.locator('canvas').count(), 0);
      assert.ok(s.errors.every((e) => /shader/i.test(e)), JSON.stringify(s.errors));
    } finally {
      await s.close();
    }
  });
}

// A 64 x 64 checkerboard of 1-pixel black and white squares: every smaller level is mid grey.
const CHECKER = `(() => {
  const c = document.createElement('canvas');
  c.width = 64; c.height = 64;
  const g = c.getContext('2d');
  const image = g.createImageData(64, 64);
  for (let i = 0; i < 64 * 64; i++) {
    const v = ((i % 64) + Math.floor(i / 64)) % 2 ? 255 : 0;
    image.data.set([v, v, v, 255], i * 4);
  }
  g.putImageData(image, 0, 0);
  return c;
})()`;

test('webgl: textures get mipmaps', async () => {
  const s = await openPage('webgl');
  try {
    await s.page.waitForFunction(() => Orvakis3D.framesDrawn > 0, null, { timeout: 60000 });
    const levels = await s.page.evaluate((checker) => {
      const gl = Orvakis3D.gl;
      const texture = Orvakis3D.textureOf({ image: eval(checker) });
      const framebuffer = gl.createFramebuffer();
      gl.bindFramebuffer(gl.FRAMEBUFFER, framebuffer);
      const seen = [];
      for (const [level, size] of [[0, 64], [1, 32], [3, 8], [6, 1]]) {
        gl.framebufferTexture2D(gl.FRAMEBUFFER, gl.COLOR_ATTACHMENT0, gl.TEXTURE_2D, texture, level);
        const pixels = new Uint8Array(size * size * 4);
        gl.readPixels(0, 0, size, size, gl.RGBA, gl.UNSIGNED_BYTE, pixels);
        let low = 255, high = 0;
        for (let i = 0; i < pixels.length; i += 4) { low = Math.min(low, pixels[i]); high = Math.max(high, pixels[i]); }
        seen.push([level, low, high]);
      }
      gl.bindFramebuffer(gl.FRAMEBUFFER, null);
      gl.deleteFramebuffer(framebuffer);
      return seen;
    }, CHECKER);
    assert.deepEqual(levels[0], [0, 0, 255], 'level 0 is the image');
    for (const [level, low, high] of levels.slice(1))
      assert.ok(low >= 110 && high <= 145, `level ${level} is the averaged grey: ${low} to ${high}`);
  } finally {
    await s.close();
  }
});

test('webgpu: textures get mipmaps', async () => {
  const s = await openPage('webgpu');
  try {
    await s.page.waitForFunction(() => Zentrel3D.framesDrawn > 0, null, { timeout: 60000 });
    const levels = await s.page.evaluate(async (checker) => {
      const device = Zentrel3D.device;
      const bitmap = await createImageBitmap(eval(checker));
      const texture = device.createTexture({
        size: [64, 64], format: 'rgba8unorm', mipLevelCount: 7,
        usage: GPUTextureUsage.TEXTURE_BINDING | GPUTextureUsage.COPY_DST | GPUTextureUsage.COPY_SRC | GPUTextureUsage.RENDER_ATTACHMENT,
      });
      device.queue.copyExternalImageToTexture({ source: bitmap }, { texture }, [64, 64]);
      Zentrel3D.generateMipmaps(texture, 7);
      const seen = [];
      for (const [level, size] of [[0, 64], [1, 32], [3, 8], [6, 1]]) {
        const buffer = device.createBuffer({ size: 256 * size, usage: GPUBufferUsage.COPY_DST | GPUBufferUsage.MAP_READ });
        const encoder = device.createCommandEncoder();
        encoder.copyTextureToBuffer({ texture, mipLevel: level }, { buffer, bytesPerRow: 256 }, [size, size]);
        device.queue.submit([encoder.finish()]);
        await buffer.mapAsync(GPUMapMode.READ);
        const bytes = new Uint8Array(buffer.getMappedRange());
        let low = 255, high = 0;
        for (let y = 0; y < size; y++) for (let x = 0; x < size; x++) {
          const v = bytes[y * 256 + x * 4];
          low = Math.min(low, v); high = Math.max(high, v);
        }
        buffer.unmap();
        seen.push([level, low, high]);
      }
      return seen;
    }, CHECKER);
    assert.deepEqual(levels[0], [0, 0, 255], 'level 0 is the image');
    for (const [level, low, high] of levels.slice(1))
      assert.ok(low >= 110 && high <= 145, `level ${level} is the averaged grey: ${low} to ${high}`);
    assert.deepEqual(s.errors, []);
  } finally {
    await s.close();
  }
});
