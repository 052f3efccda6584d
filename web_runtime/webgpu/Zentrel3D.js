// WebGPU player of an exported scene. The page calls initWebGPU(canvas id); once a device is
// ready the player lets the scene script create its model (init) and calls draw(passEncoder)
// for every frame it shows. What both players share (the clock, ?frame=N, the drawing buffer's
// size, the messages) is ScenePlayer in Matrix3D.js.
//
// A lost device, or a shader the device refuses, replaces the canvas with a message.

// Globals shared with the scene script.
var _fov = 20;
var _camera = new SceneCamera();

const Zentrel3D = Object.assign(new ScenePlayer(true), {
  sampleCount: 4,
  depthFormat: 'depth24plus',
  device: null,
  context: null,
  format: null,
  textures: {},
  blankTexture: null,
  sampler: null,
  // Checks of the device that drawing waits for (the model's pipeline).
  pending: [],
  // The models' bind group layouts (scene and materials; sampler and texture) and their
  // pipeline, once the device has made it.
  layouts: null,
  modelPipeline: null,

  shaderFailed(detail) {
    if (this.failed) return;
    console.error('WebGPU shader: ' + detail);
    this.failShader();
  },

  modelLayouts() {
    if (!this.layouts) {
      const device = this.device;
      this.layouts = {
        scene: device.createBindGroupLayout({
          entries: [
            { binding: 0, visibility: GPUShaderStage.VERTEX, buffer: { type: 'read-only-storage' } },
            { binding: 1, visibility: GPUShaderStage.VERTEX, buffer: { type: 'read-only-storage' } },
          ],
        }),
        texture: device.createBindGroupLayout({
          entries: [
            { binding: 0, visibility: GPUShaderStage.FRAGMENT, sampler: { type: 'filtering' } },
            { binding: 1, visibility: GPUShaderStage.FRAGMENT, texture: { sampleType: 'float' } },
          ],
        }),
      };
    }
    return this.layouts;
  },

  // Starts making the models' pipeline: the device compiles it while the model script runs.
  // A shader or pipeline the device refuses shows the player's message instead of an empty
  // canvas; drawing starts once the pipeline is there.
  prepareModelPipeline() {
    const device = this.device;
    const layouts = this.modelLayouts();
    device.pushErrorScope('validation');
    const module = device.createShaderModule({ code: WGSL.source });
    module.getCompilationInfo().then((info) => {
      const errors = info.messages.filter((m) => m.type === 'error');
      if (errors.length > 0) this.shaderFailed(errors.map((m) => `${m.lineNum}:${m.linePos} ${m.message}`).join('\n'));
    }, () => {});
    const blend = {
      color: { srcFactor: 'src-alpha', dstFactor: 'one-minus-src-alpha', operation: 'add' },
      // The alpha channel accumulates coverage so the page composites correctly.
      alpha: { srcFactor: 'one', dstFactor: 'one-minus-src-alpha', operation: 'add' },
    };
    const made = device.createRenderPipelineAsync({
      layout: device.createPipelineLayout({ bindGroupLayouts: [layouts.scene, layouts.texture] }),
      vertex: {
        module,
        entryPoint: 'vertexMain',
        buffers: [{
          // Model3D's vertex layout: position, normal, texture coordinates, bone.
          arrayStride: 4 * MODEL3D_VERTEX_FLOATS,
          attributes: [
            { shaderLocation: 0, offset: 0, format: 'float32x3' },
            { shaderLocation: 1, offset: 12, format: 'float32x3' },
            { shaderLocation: 2, offset: 24, format: 'float32x2' },
            { shaderLocation: 3, offset: 4 * MODEL3D_BONE, format: 'float32' },
          ],
        }],
      },
      fragment: { module, entryPoint: 'fragmentMain', targets: [{ format: this.format, blend }] },
      // The viewport culls triangles that appear counter-clockwise.
      primitive: { topology: 'triangle-list', cullMode: 'back', frontFace: 'cw' },
      depthStencil: { format: this.depthFormat, depthWriteEnabled: true, depthCompare: 'less-equal' },
      multisample: { count: this.sampleCount },
    }).then((pipeline) => {
      this.modelPipeline = pipeline;
    }, (e) => this.shaderFailed(e && e.message ? e.message : String(e)));
    this.pending.push(made, device.popErrorScope().then((error) => {
      if (error) this.shaderFailed(error.message);
    }, () => {}));
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
        this.warnFileProtocol();
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
});

// Called by the page (once) with the id of the scene's canvas.
function initWebGPU(canvasId) {
  const canvas = document.getElementById(canvasId) || document.querySelector('canvas');
  if (!canvas) {
    console.error('initWebGPU: the page has no canvas "' + canvasId + '".');
    return;
  }
  const unavailable = ScenePlayer.unavailableMessage('WebGPU');
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
  this.attachCanvas(canvas);
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

  this.prepareModelPipeline();
  if (typeof init === 'function') init();

  const drawFrame = () => {
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
  };
  // Pipelines are checked by the device in the background: a refused one must not be drawn.
  Promise.all(this.pending).then(() => this.startLoop(drawFrame, makeTargets));
};
