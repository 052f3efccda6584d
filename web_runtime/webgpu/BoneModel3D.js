// WebGPU drawing of the merged model: one vertex buffer, triangles grouped by material, and one
// matrix per bone and frame applied in the vertex shader from a storage buffer, so scenes with
// hundreds of models need no large uniform arrays.
class BoneModel3D extends Model3D {
  init() {
    super.init();
    this.gpu = null;
  }

  // Called by the model script after all data.
  initBuffers() {
    this.finishData();
    const device = Zentrel3D.device;
    if (!device) {
      console.error('BoneModel3D.initBuffers: WebGPU is not ready.');
      return;
    }
    const grouped = this.groupTrianglesByMaterial();
    const g = { groups: grouped.groups, shownFrame: NaN };
    this.gpu = g;
    if (grouped.indices.length === 0) {
      this.releaseGeometry();
      return;
    }

    // Position, normal, texture coordinates (floats) and bone (uint32): 36 bytes per vertex.
    const count = this.vertexCount;
    const buffer = new ArrayBuffer(count * 36);
    const floats = new Float32Array(buffer);
    const words = new Uint32Array(buffer);
    const source = this.vertexData.data;
    for (let v = 0; v < count; v++) {
      floats.set(source.subarray(v * MODEL3D_VERTEX_FLOATS, (v + 1) * MODEL3D_VERTEX_FLOATS), v * 9);
      words[v * 9 + 8] = this.vertexBones.data[v];
    }
    const usage = GPUBufferUsage;
    g.vertexBuffer = device.createBuffer({ size: buffer.byteLength, usage: usage.VERTEX | usage.COPY_DST });
    device.queue.writeBuffer(g.vertexBuffer, 0, buffer);
    g.indexBuffer = device.createBuffer({ size: grouped.indices.byteLength, usage: usage.INDEX | usage.COPY_DST });
    device.queue.writeBuffer(g.indexBuffer, 0, grouped.indices);

    g.matrices = new Float32Array(this.boneCount * 16);
    g.boneBuffer = device.createBuffer({ size: g.matrices.byteLength, usage: usage.STORAGE | usage.COPY_DST });
    // View, projection, light direction.
    g.frameData = new Float32Array(36);
    g.frameBuffer = device.createBuffer({ size: g.frameData.byteLength, usage: usage.UNIFORM | usage.COPY_DST });

    // A shader or pipeline the device refuses shows the player's message instead of an empty
    // canvas.
    device.pushErrorScope('validation');
    const module = device.createShaderModule({ code: WGSL.source });
    module.getCompilationInfo().then((info) => {
      const errors = info.messages.filter((m) => m.type === 'error');
      if (errors.length > 0) Zentrel3D.shaderFailed(errors.map((m) => `${m.lineNum}:${m.linePos} ${m.message}`).join('\n'));
    }, () => {});
    const frameLayout = device.createBindGroupLayout({
      entries: [
        { binding: 0, visibility: GPUShaderStage.VERTEX, buffer: { type: 'uniform' } },
        { binding: 1, visibility: GPUShaderStage.VERTEX, buffer: { type: 'read-only-storage' } },
      ],
    });
    g.materialLayout = device.createBindGroupLayout({
      entries: [
        { binding: 0, visibility: GPUShaderStage.VERTEX | GPUShaderStage.FRAGMENT, buffer: { type: 'uniform' } },
        { binding: 1, visibility: GPUShaderStage.FRAGMENT, sampler: { type: 'filtering' } },
        { binding: 2, visibility: GPUShaderStage.FRAGMENT, texture: { sampleType: 'float' } },
      ],
    });
    const blend = {
      color: { srcFactor: 'src-alpha', dstFactor: 'one-minus-src-alpha', operation: 'add' },
      // The alpha channel accumulates coverage so the page composites correctly.
      alpha: { srcFactor: 'one', dstFactor: 'one-minus-src-alpha', operation: 'add' },
    };
    g.pipeline = device.createRenderPipeline({
      layout: device.createPipelineLayout({ bindGroupLayouts: [frameLayout, g.materialLayout] }),
      vertex: {
        module,
        entryPoint: 'vertexMain',
        buffers: [{
          arrayStride: 36,
          attributes: [
            { shaderLocation: 0, offset: 0, format: 'float32x3' },
            { shaderLocation: 1, offset: 12, format: 'float32x3' },
            { shaderLocation: 2, offset: 24, format: 'float32x2' },
            { shaderLocation: 3, offset: 32, format: 'uint32' },
          ],
        }],
      },
      fragment: { module, entryPoint: 'fragmentMain', targets: [{ format: Zentrel3D.format, blend }] },
      // The viewport culls triangles that appear counter-clockwise.
      primitive: { topology: 'triangle-list', cullMode: 'back', frontFace: 'cw' },
      depthStencil: { format: Zentrel3D.depthFormat, depthWriteEnabled: true, depthCompare: 'less-equal' },
      multisample: { count: Zentrel3D.sampleCount },
    });
    // The player starts drawing once the device has judged the pipeline.
    Zentrel3D.pending.push(device.popErrorScope().then((error) => {
      if (error) Zentrel3D.shaderFailed(error.message);
    }, () => {}));
    g.frameBindGroup = device.createBindGroup({
      layout: frameLayout,
      entries: [{ binding: 0, resource: { buffer: g.frameBuffer } }, { binding: 1, resource: { buffer: g.boneBuffer } }],
    });

    g.materials = this.materials.map((material) => {
      const entry = { uniforms: device.createBuffer({ size: 64, usage: usage.UNIFORM | usage.COPY_DST }), bindGroup: null };
      const bind = (texture) => {
        device.queue.writeBuffer(entry.uniforms, 0, material.uniformData(!!texture));
        entry.bindGroup = device.createBindGroup({
          layout: g.materialLayout,
          entries: [
            { binding: 0, resource: { buffer: entry.uniforms } },
            { binding: 1, resource: Zentrel3D.materialSampler() },
            { binding: 2, resource: (texture || Zentrel3D.whiteTexture()).createView() },
          ],
        });
      };
      bind(null);
      if (material.texture !== undefined) Zentrel3D.loadTexture(material.texture, bind);
      return entry;
    });
    // The device holds the vertices and triangles now.
    this.releaseGeometry();
  }

  // Draws the frame the player is showing with the camera the scene script set.
  draw(passEncoder) {
    const device = Zentrel3D.device;
    const g = this.gpu;
    if (!device || !g || !g.pipeline) return;
    if (g.shownFrame !== Zentrel3D.frameNumber) {
      g.shownFrame = Zentrel3D.frameNumber;
      this.fillBoneMatrices(g.shownFrame, g.matrices);
      device.queue.writeBuffer(g.boneBuffer, 0, g.matrices);
    }
    const frameData = g.frameData;
    frameData.set(_camera.m, 0);
    frameData.set(Zentrel3D.projectionMatrix().m, 16);
    const light = _camera.toLight;
    if (light) {
      frameData[32] = light[0]; frameData[33] = light[1]; frameData[34] = light[2];
    } else {
      frameData[32] = 0; frameData[33] = 0; frameData[34] = -1;
    }
    device.queue.writeBuffer(g.frameBuffer, 0, frameData);

    passEncoder.setPipeline(g.pipeline);
    passEncoder.setBindGroup(0, g.frameBindGroup);
    passEncoder.setVertexBuffer(0, g.vertexBuffer);
    passEncoder.setIndexBuffer(g.indexBuffer, 'uint32');
    const groups = g.groups, materials = g.materials;
    for (let i = 0; i < groups.length; i++) {
      const group = groups[i];
      passEncoder.setBindGroup(1, materials[group.material].bindGroup);
      passEncoder.drawIndexed(group.count, 1, group.first);
    }
  }
}
