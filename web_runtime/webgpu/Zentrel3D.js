// WebGPU player of an exported scene. The page calls initWebGPU(canvas id); once a device is
// ready the player lets the scene script create its model (init) and calls draw(passEncoder)
// for every frame it shows. Animation 0 plays at 30 frames per second, looping, by the clock: a
// slow browser skips frames, a fast one shows a frame more than once.

// A page opened with ?frame=N shows frame N and stops there (a poster frame).
//
// The drawing buffer has the canvas's size times devicePixelRatio, while the canvas keeps the
// size the scene script gave it on the page, so edges stay sharp on high-density screens. A lost
// device, or a shader the device refuses, replaces the canvas with a message.

// Globals shared with the scene script.
var _fov = 20;
var _camera = new SceneCamera();

const Zentrel3D = {
  framesPerSecond: 30,
  near: 100,
  far: 10000,
  sampleCount: 4,
  depthFormat: 'depth24plus',
  device: null,
  context: null,
  canvas: null,
  format: null,
  // Playback frame number (not yet wrapped to the animation's length).
  frameNumber: 0,
  // Something other than the frame changed (a texture arrived): draw again.
  dirty: true,
  warned: {},
  textures: {},
  blankTexture: null,
  sampler: null,
  // The frame asked for by ?frame=N, or null while playing.
  stillFrame: null,
  // Size of the canvas on the page (CSS pixels), as the scene script wrote it.
  cssWidth: 0,
  cssHeight: 0,
  pixelRatio: 1,
  // Frames drawn so far (a new picture, not a repeated animation frame).
  framesDrawn: 0,
  // A message replaced the canvas: nothing is drawn any more.
  failed: false,
  // The drawing loop runs.
  started: false,
  // Checks of the device that drawing waits for (the model's pipeline).
  pending: [],
  projection: new Matrix3D(),

  warnOnce(key, text) {
    if (this.warned[key]) return;
    this.warned[key] = true;
    console.warn(text);
  },

  // Puts a short text where the canvas was.
  showMessage(canvas, text) {
    const box = document.createElement('div');
    box.textContent = text;
    box.style.cssText = 'display:flex;align-items:center;justify-content:center;text-align:center;' +
      'box-sizing:border-box;padding:1em;border:1px solid #888;font:16px sans-serif;';
    box.style.width = (this.cssWidth || canvas.width || 300) + 'px';
    box.style.height = (this.cssHeight || canvas.height || 150) + 'px';
    canvas.replaceWith(box);
  },

  // The player cannot go on: the message takes the canvas's place and drawing stops.
  fail(text) {
    if (this.failed) return;
    this.failed = true;
    if (this.canvas) this.showMessage(this.canvas, text);
  },

  shaderFailed(detail) {
    console.error('WebGPU shader: ' + detail);
    this.fail('シェーダーをコンパイルできません (a shader failed to compile; the scene cannot be shown).');
  },

  // ?frame=N: a whole number from 0.
  readStillFrame() {
    const value = new URLSearchParams(location.search).get('frame');
    return value !== null && /^\d+$/.test(value) ? Number(value) : null;
  },

  // Drawing buffer = CSS size x devicePixelRatio; the CSS size stays. True when it changed.
  fitDrawingBuffer() {
    const canvas = this.canvas;
    const ratio = window.devicePixelRatio > 0 ? window.devicePixelRatio : 1;
    if (this.cssWidth === 0) {
      this.cssWidth = canvas.width;
      this.cssHeight = canvas.height;
      canvas.style.width = this.cssWidth + 'px';
      canvas.style.height = this.cssHeight + 'px';
    } else if (ratio === this.pixelRatio) {
      return false;
    }
    this.pixelRatio = ratio;
    const width = Math.max(1, Math.round(this.cssWidth * ratio));
    const height = Math.max(1, Math.round(this.cssHeight * ratio));
    if (canvas.width === width && canvas.height === height) return false;
    canvas.width = width;
    canvas.height = height;
    return true;
  },

  projectionMatrix() {
    const aspect = this.cssWidth / Math.max(this.cssHeight, 1);
    return this.projection.perspective(_fov, aspect, this.near, this.far, true);
  },

  // 1x1 white texture bound while a material has none.
  whiteTexture() {
    if (!this.blankTexture) {
      this.blankTexture = this.device.createTexture({
        size: [1, 1], format: 'rgba8unorm', usage: GPUTextureUsage.TEXTURE_BINDING | GPUTextureUsage.COPY_DST,
      });
      this.device.queue.writeTexture({ texture: this.blankTexture }, new Uint8Array([255, 255, 255, 255]),
        { bytesPerRow: 4 }, [1, 1]);
    }
    return this.blankTexture;
  },

  // Linear filtering, repeating texture coordinates, like the viewport's sampler; between mipmap
  // levels linear too.
  materialSampler() {
    if (!this.sampler) {
      this.sampler = this.device.createSampler({
        magFilter: 'linear', minFilter: 'linear', mipmapFilter: 'linear', addressModeU: 'repeat', addressModeV: 'repeat',
      });
    }
    return this.sampler;
  },

  // Fills mipmap levels 1 and below of an rgba8unorm texture, each drawn from the level above.
  generateMipmaps(texture, levels) {
    const device = this.device;
    if (!this.mipPipeline) {
      const module = device.createShaderModule({ code: WGSL.mipmapSource });
      this.mipPipeline = device.createRenderPipeline({
        layout: 'auto',
        vertex: { module, entryPoint: 'vertexMain' },
        fragment: { module, entryPoint: 'fragmentMain', targets: [{ format: 'rgba8unorm' }] },
        primitive: { topology: 'triangle-list' },
      });
      this.mipSampler = device.createSampler({ minFilter: 'linear', magFilter: 'linear' });
    }
    const encoder = device.createCommandEncoder();
    for (let level = 1; level < levels; level++) {
      const bindGroup = device.createBindGroup({
        layout: this.mipPipeline.getBindGroupLayout(0),
        entries: [
          { binding: 0, resource: this.mipSampler },
          { binding: 1, resource: texture.createView({ baseMipLevel: level - 1, mipLevelCount: 1 }) },
        ],
      });
      const pass = encoder.beginRenderPass({
        colorAttachments: [{
          view: texture.createView({ baseMipLevel: level, mipLevelCount: 1 }),
          clearValue: { r: 0, g: 0, b: 0, a: 0 }, loadOp: 'clear', storeOp: 'store',
        }],
      });
      pass.setPipeline(this.mipPipeline);
      pass.setBindGroup(0, bindGroup);
      pass.draw(3);
      pass.end();
    }
    device.queue.submit([encoder.finish()]);
  },

  // Loads a texture image from the page's folder by file name; calls ready(texture) when it is
  // on the GPU. A missing image, or a page opened as a file, leaves the material untextured.
  loadTexture(fileName, ready) {
    const name = String(fileName);
    let entry = this.textures[name];
    if (!entry) {
      entry = this.textures[name] = { texture: null, waiting: [] };
      if (location.protocol === 'file:') {
        this.warnOnce('file-protocol', 'Textures are not shown when the page is opened as a file (file://); ' +
          'open it through a web server to see them.');
        return;
      }
      fetch(encodeURIComponent(name))
        .then((response) => {
          if (!response.ok) throw new Error('HTTP ' + response.status);
          return response.blob();
        })
        .then((blob) => createImageBitmap(blob, { colorSpaceConversion: 'none', premultiplyAlpha: 'none' }))
        .then((bitmap) => {
          // Mipmaps: a logo turning away samples a smaller copy instead of shimmering.
          const levels = Math.floor(Math.log2(Math.max(bitmap.width, bitmap.height, 1))) + 1;
          const texture = this.device.createTexture({
            size: [bitmap.width, bitmap.height], format: 'rgba8unorm', mipLevelCount: levels,
            usage: GPUTextureUsage.TEXTURE_BINDING | GPUTextureUsage.COPY_DST | GPUTextureUsage.RENDER_ATTACHMENT,
          });
          this.device.queue.copyExternalImageToTexture({ source: bitmap }, { texture }, [bitmap.width, bitmap.height]);
          bitmap.close();
          this.generateMipmaps(texture, levels);
          entry.texture = texture;
          for (const callback of entry.waiting) callback(texture);
          entry.waiting = [];
          this.dirty = true;
        })
        .catch((e) => console.warn('Texture "' + name + '" could not be loaded (' + e.message + '); drawing without it.'));
    }
    if (entry.texture) ready(entry.texture);
    else entry.waiting.push(ready);
  },
};

// Called by the page (once) with the id of the scene's canvas.
function initWebGPU(canvasId) {
  const canvas = document.getElementById(canvasId) || document.querySelector('canvas');
  if (!canvas) {
    console.error('initWebGPU: the page has no canvas "' + canvasId + '".');
    return;
  }
  const unavailable = 'WebGPU を利用できません (WebGPU is not available in this browser).';
  if (!navigator.gpu) {
    Zentrel3D.showMessage(canvas, unavailable);
    return;
  }
  Zentrel3D.startWebGPU(canvas).then(
    () => Zentrel3D.play(),
    (e) => {
      console.warn('WebGPU could not be started: ' + (e && e.message ? e.message : e));
      Zentrel3D.showMessage(canvas, unavailable);
    });
}

Zentrel3D.startWebGPU = async function (canvas) {
  const adapter = await navigator.gpu.requestAdapter();
  if (!adapter) throw new Error('no adapter');
  const device = await adapter.requestDevice();
  device.addEventListener('uncapturederror', (event) => console.error('WebGPU: ' + event.error.message));
  device.lost.then((info) => {
    console.warn('WebGPU device lost: ' + info.message);
    this.fail('WebGPU の描画装置が失われました。ページを読み込み直してください ' +
      '(the graphics device was lost; reload the page).');
  });
  this.canvas = canvas;
  this.stillFrame = this.readStillFrame();
  this.fitDrawingBuffer();
  const context = canvas.getContext('webgpu');
  if (!context) throw new Error('no WebGPU canvas context');
  const format = navigator.gpu.getPreferredCanvasFormat();
  // Premultiplied alpha over a transparent clear: the style sheet's background colour shows.
  context.configure({ device, format, alphaMode: 'premultiplied' });
  this.device = device;
  this.context = context;
  this.format = format;
};

// Lets the scene script build its model, then draws a frame whenever the shown frame changes.
// The loop makes no objects of its own: the pass description is made once and only its views
// change (the canvas gives a new texture every frame).
Zentrel3D.play = function () {
  const device = this.device, context = this.context;
  let colourView = null, depthView = null, colour = null, depth = null;
  const makeTargets = () => {
    if (colour) colour.destroy();
    if (depth) depth.destroy();
    const size = [this.canvas.width, this.canvas.height];
    colour = device.createTexture({ size, format: this.format, sampleCount: this.sampleCount, usage: GPUTextureUsage.RENDER_ATTACHMENT });
    depth = device.createTexture({ size, format: this.depthFormat, sampleCount: this.sampleCount, usage: GPUTextureUsage.RENDER_ATTACHMENT });
    colourView = colour.createView();
    depthView = depth.createView();
  };
  makeTargets();
  const colourAttachment = {
    view: colourView, resolveTarget: null,
    clearValue: { r: 0, g: 0, b: 0, a: 0 }, loadOp: 'clear', storeOp: 'discard',
  };
  const depthAttachment = { view: depthView, depthClearValue: 1, depthLoadOp: 'clear', depthStoreOp: 'discard' };
  const passDescriptor = { colorAttachments: [colourAttachment], depthStencilAttachment: depthAttachment };
  const submitted = [null];

  if (typeof init === 'function') init();

  let start = null;
  let shown = -1;
  const step = (now) => {
    if (this.failed) return;
    if (start === null) start = now;
    const still = this.stillFrame;
    const frameNumber = still !== null ? still : Math.floor((now - start) * this.framesPerSecond / 1000);
    if (this.fitDrawingBuffer()) {
      makeTargets();
      this.dirty = true;
    }
    if (frameNumber !== shown || this.dirty) {
      shown = frameNumber;
      this.dirty = false;
      this.frameNumber = frameNumber;
      const encoder = device.createCommandEncoder();
      colourAttachment.view = colourView;
      colourAttachment.resolveTarget = context.getCurrentTexture().createView();
      depthAttachment.view = depthView;
      const pass = encoder.beginRenderPass(passDescriptor);
      try {
        if (typeof draw === 'function') draw(pass);
      } finally {
        pass.end();
        submitted[0] = encoder.finish();
        device.queue.submit(submitted);
        submitted[0] = null;
        colourAttachment.resolveTarget = null;
      }
      this.framesDrawn++;
    }
    // Scheduled last: a failing frame reports its error once instead of on every frame.
    requestAnimationFrame(step);
  };
  // Pipelines are checked by the device in the background: a refused one must not be drawn.
  Promise.all(this.pending).then(() => {
    this.started = true;
    requestAnimationFrame(step);
  });
};
