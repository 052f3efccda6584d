// WebGPU drawing of the merged model: one vertex buffer, one index buffer with the triangles
// grouped by model and material, and per frame one write of one storage buffer holding the
// camera and one matrix per bone, so scenes with hundreds of models need no large uniform arrays
// and no per-model uploads. All materials sit in a second storage buffer, set once with the
// first; each group's draw names its material as its first instance, so a frame binds the model
// once and switches only textures.
const BONEMODEL3D_SCENE_FLOATS = 36;

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
    const g = { draws: [], shownFrame: NaN };
    this.gpu = g;
    if (grouped.indices.length === 0) {
      this.releaseGeometry();
      return;
    }
    const usage = GPUBufferUsage;
    // The vertex list is already laid out as the shader reads it: uploaded as it stands.
    const vertices = this.vertexData.view();
    g.vertexBuffer = device.createBuffer({ size: vertices.byteLength, usage: usage.VERTEX | usage.COPY_DST });
    device.queue.writeBuffer(g.vertexBuffer, 0, vertices);
    // 16-bit indices where they reach: half the memory and upload (padded to whole 4 bytes, as
    // buffer writes need).
    let indices = grouped.indices;
    if (this.vertexCount <= 65536) {
      indices = new Uint16Array((grouped.indices.length + 1) & ~1);
      indices.set(grouped.indices);
    }
    g.indexFormat = indices.BYTES_PER_ELEMENT === 2 ? 'uint16' : 'uint32';
    g.indexBuffer = device.createBuffer({ size: indices.byteLength, usage: usage.INDEX | usage.COPY_DST });
    device.queue.writeBuffer(g.indexBuffer, 0, indices);

    // View, projection, light direction, then the bones' matrices.
    g.sceneData = new Float32Array(BONEMODEL3D_SCENE_FLOATS + this.boneCount * 16);
    g.boneMatrices = g.sceneData.subarray(BONEMODEL3D_SCENE_FLOATS);
    g.sceneBuffer = device.createBuffer({ size: g.sceneData.byteLength, usage: usage.STORAGE | usage.COPY_DST });
    const materialData = new Float32Array(this.materials.length * 16);
    this.materials.forEach((material, i) => materialData.set(material.uniformData(material.texture !== undefined), i * 16));
    g.materialBuffer = device.createBuffer({ size: materialData.byteLength, usage: usage.STORAGE | usage.COPY_DST });
    device.queue.writeBuffer(g.materialBuffer, 0, materialData);

    const layouts = Zentrel3D.modelLayouts();
    g.sceneBindGroup = device.createBindGroup({
      layout: layouts.scene,
      entries: [{ binding: 0, resource: { buffer: g.sceneBuffer } }, { binding: 1, resource: { buffer: g.materialBuffer } }],
    });
    // One bind group per texture (the white one for materials without), made again when the
    // image arrives.
    const textures = new Map();
    const textureOf = (material) => {
      const name = material.texture === undefined ? '' : String(material.texture);
      let entry = textures.get(name);
      if (!entry) {
        entry = { bindGroup: null };
        const bind = (texture) => {
          entry.bindGroup = device.createBindGroup({
            layout: layouts.texture,
            entries: [
              { binding: 0, resource: Zentrel3D.materialSampler() },
              { binding: 1, resource: (texture || Zentrel3D.whiteTexture()).createView() },
            ],
          });
        };
        bind(null);
        if (name !== '') Zentrel3D.loadTexture(name, bind);
        textures.set(name, entry);
      }
      return entry;
    };
    for (const group of grouped.groups) {
      g.draws.push({ first: group.first, count: group.count, material: group.material,
        texture: textureOf(this.materials[group.material]) });
    }
    // The device holds the vertices and triangles now.
    this.releaseGeometry();
  }

  // Draws the frame the player is showing with the camera the scene script set.
  draw(passEncoder) {
    const device = Zentrel3D.device;
    const g = this.gpu;
    const pipeline = Zentrel3D.modelPipeline;
    if (!device || !g || !g.sceneBuffer || !pipeline) return;
    const data = g.sceneData;
    data.set(_camera.m, 0);
    data.set(Zentrel3D.projectionMatrix().m, 16);
    const light = _camera.toLight;
    if (light) {
      data[32] = light[0]; data[33] = light[1]; data[34] = light[2];
    } else {
      data[32] = 0; data[33] = 0; data[34] = -1;
    }
    if (g.shownFrame !== Zentrel3D.frameNumber) {
      g.shownFrame = Zentrel3D.frameNumber;
      this.fillBoneMatrices(g.shownFrame, g.boneMatrices);
      device.queue.writeBuffer(g.sceneBuffer, 0, data);
    } else {
      device.queue.writeBuffer(g.sceneBuffer, 0, data, 0, BONEMODEL3D_SCENE_FLOATS);
    }

    passEncoder.setPipeline(pipeline);
    passEncoder.setBindGroup(0, g.sceneBindGroup);
    passEncoder.setVertexBuffer(0, g.vertexBuffer);
    passEncoder.setIndexBuffer(g.indexBuffer, g.indexFormat);
    const draws = g.draws;
    let bound = null;
    for (let i = 0; i < draws.length; i++) {
      const d = draws[i];
      const textureGroup = d.texture.bindGroup;
      if (textureGroup !== bound) {
        passEncoder.setBindGroup(1, textureGroup);
        bound = textureGroup;
      }
      passEncoder.drawIndexed(d.count, 1, d.first, 0, d.material);
    }
  }
}
