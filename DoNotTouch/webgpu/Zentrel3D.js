// WebGPU player of an exported scene. The page calls initWebGPU(canvas id); once a device is
// ready the player lets the scene script create its model (init) and calls draw(passEncoder)
// for every frame it shows. Animation 0 plays at 30 frames per second, looping, by the clock: a
// slow browser skips frames, a fast one shows a frame more than once.

// Globals shared with the scene script.
var _fov = 20;
var _camera = new Matrix3D();

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
    box.style.width = (canvas.width || 300) + 'px';
    box.style.height = (canvas.height || 150) + 'px';
    canvas.replaceWith(box);
  },

  projectionMatrix() {
    const aspect = this.canvas.width / Math.max(this.canvas.height, 1);
    return new Matrix3D().perspective(_fov, aspect, this.near, this.far, true);
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

  // Linear filtering, repeating texture coordinates, like the viewport's sampler.
  materialSampler() {
    if (!this.sampler) {
      this.sampler = this.device.createSampler({
        magFilter: 'linear', minFilter: 'linear', addressModeU: 'repeat', addressModeV: 'repeat',
      });
    }
    return this.sampler;
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
          const texture = this.device.createTexture({
            size: [bitmap.width, bitmap.height], format: 'rgba8unorm',
            usage: GPUTextureUsage.TEXTURE_BINDING | GPUTextureUsage.COPY_DST | GPUTextureUsage.RENDER_ATTACHMENT,
          });
          this.device.queue.copyExternalImageToTexture({ source: bitmap }, { texture }, [bitmap.width, bitmap.height]);
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
    if (info.reason !== 'destroyed') console.warn('WebGPU device lost: ' + info.message);
  });
  const context = canvas.getContext('webgpu');
  if (!context) throw new Error('no WebGPU canvas context');
  const format = navigator.gpu.getPreferredCanvasFormat();
  // Premultiplied alpha over a transparent clear: the style sheet's background colour shows.
  context.configure({ device, format, alphaMode: 'premultiplied' });
  this.device = device;
  this.context = context;
  this.canvas = canvas;
  this.format = format;
};

// Lets the scene script build its model, then draws a frame whenever the shown frame changes.
Zentrel3D.play = function () {
  const device = this.device, context = this.context, canvas = this.canvas;
  const size = [canvas.width, canvas.height];
  const colour = device.createTexture({ size, format: this.format, sampleCount: this.sampleCount, usage: GPUTextureUsage.RENDER_ATTACHMENT });
  const depth = device.createTexture({ size, format: this.depthFormat, sampleCount: this.sampleCount, usage: GPUTextureUsage.RENDER_ATTACHMENT });
  const colourView = colour.createView();
  const depthView = depth.createView();

  if (typeof init === 'function') init();

  let start = null;
  let shown = -1;
  const step = (now) => {
    if (start === null) start = now;
    const frameNumber = Math.floor((now - start) * this.framesPerSecond / 1000);
    if (frameNumber !== shown || this.dirty) {
      shown = frameNumber;
      this.dirty = false;
      this.frameNumber = frameNumber;
      const encoder = device.createCommandEncoder();
      const pass = encoder.beginRenderPass({
        colorAttachments: [{
          view: colourView, resolveTarget: context.getCurrentTexture().createView(),
          clearValue: { r: 0, g: 0, b: 0, a: 0 }, loadOp: 'clear', storeOp: 'discard',
        }],
        depthStencilAttachment: { view: depthView, depthClearValue: 1, depthLoadOp: 'clear', depthStoreOp: 'discard' },
      });
      try {
        if (typeof draw === 'function') draw(pass);
      } finally {
        pass.end();
        device.queue.submit([encoder.finish()]);
      }
    }
    // Scheduled last: a failing frame reports its error once instead of on every frame.
    requestAnimationFrame(step);
  };
  requestAnimationFrame(step);
};
