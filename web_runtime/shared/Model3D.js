// The merged model of a scene as the model script describes it: materials, vertices that each
// name their material and their bone (the scene model they came from), triangles, and per
// animation a list of frames holding one matrix per bone. Graphics code lives in BoneModel3D.

// Growable typed array; the model scripts of big scenes call setB millions of times.
class NumberList {
  constructor(Type) {
    this.Type = Type;
    this.data = new Type(256);
    this.length = 0;
  }

  reserve(extra) {
    if (this.length + extra <= this.data.length) return;
    let capacity = this.data.length * 2;
    while (capacity < this.length + extra) capacity *= 2;
    const grown = new this.Type(capacity);
    grown.set(this.data.subarray(0, this.length));
    this.data = grown;
  }

  push(value) {
    if (this.length === this.data.length) this.reserve(1);
    this.data[this.length++] = value;
  }

  // The used part, without a copy.
  view() {
    return this.data.subarray(0, this.length);
  }

  // A copy trimmed to the used length.
  toArray() {
    return this.data.slice(0, this.length);
  }
}

// Values per vertex in Model3D.vertexData: position, normal, texture coordinates and the bone
// number, the layout both players upload as it is (the bone as a float: exact up to 2^24, and
// WebGL 1 has no integer attributes).
const MODEL3D_VERTEX_FLOATS = 9;
const MODEL3D_BONE = 8;
// Bone numbers kept exact in a float; any higher one has no matrix anyway (see finishData).
const MODEL3D_BONE_LIMIT = 16777216;
const MODEL3D_IDENTITY = [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1];

class Model3D {
  constructor() {
    this.init();
  }

  // Gives the object its own lists. The WebGL model script calls it first, because its
  // prototype is a shared BoneModel3D instance.
  init() {
    this.materials = [];
    this.vertexData = new NumberList(Float32Array);
    this.vertexMaterials = new NumberList(Int32Array);
    this.triangles = new NumberList(Uint32Array);
    this.animations = [];
    this.openAnimation = null;
    this.openFrameStart = 0;
    this.highestBone = -1;
    this.bones = 0;
    this.releasedVertexCount = 0;
  }

  setMaterial(red, green, blue, alpha, diffuse, ambient, emissive, specular, power, texture) {
    this.materials.push(new Material(red, green, blue, alpha, diffuse, ambient, emissive, specular,
      power, texture));
  }

  setB(x, y, z, nx, ny, nz, material, u, v, bone) {
    const d = this.vertexData;
    if (d.length + MODEL3D_VERTEX_FLOATS > d.data.length) d.reserve(MODEL3D_VERTEX_FLOATS);
    // Written in place into the array the graphics device gets: a model script calls this once
    // per vertex, so no array or object per call.
    const a = d.data, i = d.length;
    const b = bone > 0 ? Math.min(bone >>> 0, MODEL3D_BONE_LIMIT) : 0;
    a[i] = x; a[i + 1] = y; a[i + 2] = z; a[i + 3] = nx; a[i + 4] = ny; a[i + 5] = nz; a[i + 6] = u; a[i + 7] = v;
    a[i + 8] = b;
    d.length = i + MODEL3D_VERTEX_FLOATS;
    this.vertexMaterials.push(material | 0);
    if (b > this.highestBone) this.highestBone = b;
  }

  setBI(a, b, c) {
    const t = this.triangles;
    if (t.length + 3 > t.data.length) t.reserve(3);
    const d = t.data, i = t.length;
    d[i] = a >>> 0; d[i + 1] = b >>> 0; d[i + 2] = c >>> 0;
    t.length = i + 3;
  }

  // Appends the next bone's matrix (16 numbers, row-vector convention, row by row) to the
  // current frame.
  setMatrix(values) {
    if (!this.openAnimation) {
      this.openAnimation = { matrices: new NumberList(Float32Array), frameStarts: [], frameCounts: [] };
      this.openFrameStart = 0;
    }
    const list = this.openAnimation.matrices;
    list.reserve(16);
    for (let i = 0; i < 16; i++) {
      const v = values && values.length > i ? Number(values[i]) : NaN;
      list.data[list.length + i] = Number.isFinite(v) ? v : MODEL3D_IDENTITY[i];
    }
    list.length += 16;
  }

  // Closes the current frame.
  setMatrix2() {
    if (!this.openAnimation) {
      this.openAnimation = { matrices: new NumberList(Float32Array), frameStarts: [], frameCounts: [] };
      this.openFrameStart = 0;
    }
    const a = this.openAnimation;
    const count = a.matrices.length / 16 - this.openFrameStart;
    a.frameStarts.push(this.openFrameStart);
    a.frameCounts.push(count);
    this.openFrameStart += count;
  }

  // Closes the current animation.
  setMatrix3() {
    const a = this.openAnimation;
    this.openAnimation = null;
    if (!a) {
      this.animations.push({ matrices: new Float32Array(0), frameStarts: [], frameCounts: [] });
      return;
    }
    // Matrices after the last closed frame belong to no frame.
    a.matrices.length = this.openFrameStart * 16;
    this.animations.push({ matrices: a.matrices.toArray(), frameStarts: a.frameStarts, frameCounts: a.frameCounts });
  }

  // Ends the data: an animation left open counts when it has whole frames. Vertices naming a
  // bone the shown animation has no matrix for share one extra bone that never moves, so the
  // renderer never reads past its matrices.
  finishData() {
    if (this.openAnimation && this.openAnimation.frameStarts.length > 0) this.setMatrix3();
    this.openAnimation = null;
    if (this.materials.length === 0) this.materials.push(Material.fallback());
    let framed = 0;
    const a = this.animations[0];
    if (a) for (const c of a.frameCounts) framed = Math.max(framed, c);
    this.bones = framed;
    if (this.highestBone >= framed) {
      this.bones = framed + 1;
      const d = this.vertexData.data, end = this.vertexData.length;
      for (let i = MODEL3D_BONE; i < end; i += MODEL3D_VERTEX_FLOATS) if (d[i] > framed) d[i] = framed;
    }
  }

  get vertexCount() {
    return this.vertexData ? this.vertexData.length / MODEL3D_VERTEX_FLOATS : this.releasedVertexCount;
  }

  // Bone number of a vertex (after finishData: one the renderer has a matrix for).
  boneOf(vertex) {
    return this.vertexData.data[vertex * MODEL3D_VERTEX_FLOATS + MODEL3D_BONE];
  }

  // Drops the vertex and triangle lists once the graphics device holds them; the matrices stay
  // (every frame reads them).
  releaseGeometry() {
    this.releasedVertexCount = this.vertexCount;
    this.vertexData = null;
    this.vertexMaterials = null;
    this.triangles = null;
  }

  // Number of matrices the renderer keeps per frame (valid after finishData).
  get boneCount() {
    return Math.max(this.bones || 0, 1);
  }

  // Frames of the shown animation (the first); 0 when the script wrote none.
  get frameCount() {
    return this.animations.length > 0 ? this.animations[0].frameStarts.length : 0;
  }

  // Writes the matrices of the shown animation at a playback frame number (which wraps around)
  // into out, 16 floats per bone in bone order. Bones the frame lacks get the identity.
  fillBoneMatrices(frameNumber, out) {
    const bones = this.boneCount;
    const a = this.animations[0];
    let written = 0;
    if (a && a.frameStarts.length > 0) {
      const f = ((frameNumber % a.frameStarts.length) + a.frameStarts.length) % a.frameStarts.length;
      written = Math.min(a.frameCounts[f], bones);
      // Copied value by value: runs on every frame shown, and makes no objects.
      const from = a.frameStarts[f] * 16, m = a.matrices;
      for (let i = 0; i < written * 16; i++) out[i] = m[from + i];
    }
    for (let i = written * 16; i < bones * 16; i++) out[i] = MODEL3D_IDENTITY[i & 15];
  }

  // Material shown for a vertex: a material index the script lacks falls back to the last one.
  materialIndexOf(vertex) {
    const m = this.vertexMaterials.data[vertex];
    return m >= 0 && m < this.materials.length ? m : this.materials.length - 1;
  }

  // For each material, the first one drawn exactly like it (same colours, factors and texture):
  // text models each get a material of their own, mostly all alike, and neighbouring groups of
  // alike materials are drawn as one.
  alikeMaterials() {
    const first = new Int32Array(this.materials.length);
    const seen = new Map();
    const textures = new Map();
    this.materials.forEach((m, i) => {
      let texture = '';
      if (m.texture !== undefined) {
        if (!textures.has(m.texture)) textures.set(m.texture, textures.size);
        texture = textures.get(m.texture);
      }
      const key = [...m.diffuse, ...m.ambient, ...m.emissive, ...m.specular, m.power, texture].join(',');
      if (!seen.has(key)) seen.set(key, i);
      first[i] = seen.get(key);
    });
    return first;
  }

  // Triangles in the order the viewport draws them: model by model (bone order), and within a
  // model material by material in ascending order, keeping the script's order otherwise (it
  // matters where half-transparent surfaces overlap). Triangles that name a vertex the script
  // did not write are left out. A triangle belongs to the bone of its first corner.
  // Result: { indices: Uint32Array, groups: [{ material, first, count }] } (first and count in
  // indices); neighbouring groups of one material, or of alike materials, are merged.
  groupTrianglesByMaterial() {
    const t = this.triangles.data;
    const triangleCount = Math.floor(this.triangles.length / 3);
    const vertices = this.vertexCount;
    const vertexData = this.vertexData.data;
    const materialCount = this.materials.length;
    const boneCount = this.boneCount;
    const alike = this.alikeMaterials();
    const materialOf = new Int32Array(triangleCount);
    const perMaterial = new Uint32Array(materialCount);
    for (let i = 0; i < triangleCount; i++) {
      const a = t[3 * i], b = t[3 * i + 1], c = t[3 * i + 2];
      if (a >= vertices || b >= vertices || c >= vertices) {
        materialOf[i] = -1;
        continue;
      }
      const m = this.materialIndexOf(a);
      materialOf[i] = m;
      perMaterial[m]++;
    }
    // Two stable counting sorts: by material, then by bone.
    const byMaterial = new Uint32Array(triangleCount);
    const next = new Uint32Array(Math.max(materialCount, boneCount) + 1);
    let used = 0;
    for (let m = 0; m < materialCount; m++) {
      next[m] = used;
      used += perMaterial[m];
    }
    for (let i = 0; i < triangleCount; i++) if (materialOf[i] >= 0) byMaterial[next[materialOf[i]]++] = i;
    const boneOf = (i) => Math.min(vertexData[t[3 * i] * MODEL3D_VERTEX_FLOATS + MODEL3D_BONE], boneCount - 1);
    const perBone = new Uint32Array(boneCount);
    for (let k = 0; k < used; k++) perBone[boneOf(byMaterial[k])]++;
    let first = 0;
    for (let b = 0; b < boneCount; b++) {
      next[b] = first;
      first += perBone[b];
    }
    const order = new Uint32Array(used);
    for (let k = 0; k < used; k++) order[next[boneOf(byMaterial[k])]++] = byMaterial[k];

    const indices = new Uint32Array(used * 3);
    const groups = [];
    for (let k = 0; k < used; k++) {
      const i = order[k], m = materialOf[i];
      indices[3 * k] = t[3 * i];
      indices[3 * k + 1] = t[3 * i + 1];
      indices[3 * k + 2] = t[3 * i + 2];
      const last = groups[groups.length - 1];
      if (last && alike[last.material] === alike[m]) last.count += 3;
      else groups.push({ material: m, first: 3 * k, count: 3 });
    }
    return { indices, groups };
  }
}
