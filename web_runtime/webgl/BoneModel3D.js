// WebGL drawing of the merged model: one vertex buffer, triangles grouped by material, and one
// matrix per bone and frame applied in the vertex shader. The bone matrices of the shown frame
// live in a float texture (four texels per bone), so scenes with hundreds of models need no
// large uniform arrays. Without float textures in vertex shaders (some WebGL 1 devices) the
// vertices are transformed on the CPU instead.
const BONEMODEL3D_FORWARD = new Float32Array([0, 0, -1]);
const BONEMODEL3D_STRIDE = 4 * MODEL3D_VERTEX_FLOATS;

class BoneModel3D extends Model3D {
  init() {
    super.init();
    this.gpu = null;
  }

  // Called by the model script after all data.
  initBuffers() {
    this.finishData();
    const gl = Orvakis3D.gl;
    if (!gl) {
      console.error('BoneModel3D.initBuffers: WebGL is not ready.');
      return;
    }
    const grouped = this.groupTrianglesByMaterial();
    const g = { groups: grouped.groups, shownFrame: NaN };
    this.gpu = g;
    if (grouped.indices.length === 0) {
      this.releaseGeometry();
      return;
    }

    const bones = this.boneCount;
    const maxSize = gl.getParameter(gl.MAX_TEXTURE_SIZE);
    g.bonesPerRow = Math.min(bones, Math.floor(maxSize / 4));
    g.boneRows = Math.ceil(bones / g.bonesPerRow);
    g.boneMode = Orvakis3D.boneTexturesSupported() && g.boneRows <= maxSize ? 'texture' : 'none';
    g.matrices = new Float32Array(g.bonesPerRow * 4 * g.boneRows * 4);

    // The vertex list is already laid out as the shader reads it (MODEL3D_VERTEX_FLOATS per vertex).
    let data = this.vertexData.view();
    let vertexCount = this.vertexCount;
    let indices = grouped.indices;
    g.indexed = vertexCount <= 65536 || Orvakis3D.uintIndicesSupported();
    if (!g.indexed) {
      // No 32-bit indices: give every triangle corner its own vertex and draw arrays.
      const expanded = new Float32Array(indices.length * MODEL3D_VERTEX_FLOATS);
      for (let i = 0; i < indices.length; i++) {
        const v = indices[i] * MODEL3D_VERTEX_FLOATS;
        for (let k = 0; k < MODEL3D_VERTEX_FLOATS; k++) expanded[i * MODEL3D_VERTEX_FLOATS + k] = data[v + k];
      }
      data = expanded;
      vertexCount = indices.length;
      indices = null;
    }
    g.vertexCount = vertexCount;
    g.vertexBuffer = gl.createBuffer();
    gl.bindBuffer(gl.ARRAY_BUFFER, g.vertexBuffer);
    gl.bufferData(gl.ARRAY_BUFFER, data, gl.STATIC_DRAW);

    if (g.boneMode === 'none') {
      // Kept for the CPU transform; the moved positions and normals go to a second buffer.
      g.source = data;
      g.moved = new Float32Array(vertexCount * 6);
      g.movedBuffer = gl.createBuffer();
      gl.bindBuffer(gl.ARRAY_BUFFER, g.movedBuffer);
      gl.bufferData(gl.ARRAY_BUFFER, g.moved.byteLength, gl.DYNAMIC_DRAW);
    } else {
      g.boneTexture = gl.createTexture();
      gl.bindTexture(gl.TEXTURE_2D, g.boneTexture);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MIN_FILTER, gl.NEAREST);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MAG_FILTER, gl.NEAREST);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_S, gl.CLAMP_TO_EDGE);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_T, gl.CLAMP_TO_EDGE);
      gl.pixelStorei(gl.UNPACK_ALIGNMENT, 4);
      gl.texImage2D(gl.TEXTURE_2D, 0, Orvakis3D.webgl2 ? gl.RGBA32F : gl.RGBA, g.bonesPerRow * 4, g.boneRows, 0,
        gl.RGBA, gl.FLOAT, g.matrices);
    }

    if (indices) {
      g.indexType = vertexCount <= 65536 ? gl.UNSIGNED_SHORT : gl.UNSIGNED_INT;
      g.indexBuffer = gl.createBuffer();
      gl.bindBuffer(gl.ELEMENT_ARRAY_BUFFER, g.indexBuffer);
      gl.bufferData(gl.ELEMENT_ARRAY_BUFFER,
        g.indexType === gl.UNSIGNED_SHORT ? new Uint16Array(indices) : indices, gl.STATIC_DRAW);
    }
    g.program = Orvakis3D.program(g.boneMode);
    // The device holds the vertices and triangles now. After a lost context the player runs the
    // model script again, so nothing is kept for that.
    this.releaseGeometry();
  }

  // Matrices of the frame being shown: into the bone texture, or applied on the CPU.
  updateBones(frame) {
    const gl = Orvakis3D.gl;
    const g = this.gpu;
    this.fillBoneMatrices(frame, g.matrices);
    if (g.boneMode === 'texture') {
      gl.bindTexture(gl.TEXTURE_2D, g.boneTexture);
      gl.texSubImage2D(gl.TEXTURE_2D, 0, 0, 0, g.bonesPerRow * 4, g.boneRows, gl.RGBA, gl.FLOAT, g.matrices);
      return;
    }
    const s = g.source, out = g.moved, m = g.matrices;
    for (let v = 0; v < g.vertexCount; v++) {
      const i = v * MODEL3D_VERTEX_FLOATS, o = v * 6, b = s[i + MODEL3D_BONE] * 16;
      const x = s[i], y = s[i + 1], z = s[i + 2];
      // Row vector times the bone's matrix (stored row by row).
      out[o] = x * m[b] + y * m[b + 4] + z * m[b + 8] + m[b + 12];
      out[o + 1] = x * m[b + 1] + y * m[b + 5] + z * m[b + 9] + m[b + 13];
      out[o + 2] = x * m[b + 2] + y * m[b + 6] + z * m[b + 10] + m[b + 14];
      // Normals by the inverse transpose of the 3x3 part (its cofactors, with the sign of the
      // determinant); the shader normalises.
      const a0 = m[b], a1 = m[b + 1], a2 = m[b + 2];
      const b0 = m[b + 4], b1 = m[b + 5], b2 = m[b + 6];
      const c0 = m[b + 8], c1 = m[b + 9], c2 = m[b + 10];
      const det = a0 * (b1 * c2 - b2 * c1) - a1 * (b0 * c2 - b2 * c0) + a2 * (b0 * c1 - b1 * c0);
      const sign = det < 0 ? -1 : 1;
      const nx = s[i + 3], ny = s[i + 4], nz = s[i + 5];
      out[o + 3] = sign * (nx * (b1 * c2 - b2 * c1) + ny * (c1 * a2 - c2 * a1) + nz * (a1 * b2 - a2 * b1));
      out[o + 4] = sign * (nx * (b2 * c0 - b0 * c2) + ny * (c2 * a0 - c0 * a2) + nz * (a2 * b0 - a0 * b2));
      out[o + 5] = sign * (nx * (b0 * c1 - b1 * c0) + ny * (c0 * a1 - c1 * a0) + nz * (a0 * b1 - a1 * b0));
    }
    gl.bindBuffer(gl.ARRAY_BUFFER, g.movedBuffer);
    gl.bufferSubData(gl.ARRAY_BUFFER, 0, out);
  }

  static attribute(gl, location, buffer, size, stride, offset) {
    if (location < 0) return;
    gl.bindBuffer(gl.ARRAY_BUFFER, buffer);
    gl.enableVertexAttribArray(location);
    gl.vertexAttribPointer(location, size, gl.FLOAT, false, stride, offset);
  }

  // Draws the frame the player is showing with the camera the scene script set.
  draw() {
    const gl = Orvakis3D.gl;
    const g = this.gpu;
    if (!gl || !g || !g.program) return;
    if (g.shownFrame !== Orvakis3D.frameNumber) {
      g.shownFrame = Orvakis3D.frameNumber;
      this.updateBones(g.shownFrame);
    }
    const p = g.program, u = p.uniforms, a = p.attributes;
    gl.useProgram(p.program);
    gl.uniformMatrix4fv(u.u_view, false, _mvMatrix.m);
    gl.uniformMatrix4fv(u.u_projection, false, Orvakis3D.projectionMatrix().m);
    gl.uniform3fv(u.u_toLight, _mvMatrix.toLight || BONEMODEL3D_FORWARD);
    const attribute = BoneModel3D.attribute;
    if (g.boneMode === 'none') {
      attribute(gl, a.a_position, g.movedBuffer, 3, 24, 0);
      attribute(gl, a.a_normal, g.movedBuffer, 3, 24, 12);
    } else {
      attribute(gl, a.a_position, g.vertexBuffer, 3, BONEMODEL3D_STRIDE, 0);
      attribute(gl, a.a_normal, g.vertexBuffer, 3, BONEMODEL3D_STRIDE, 12);
      attribute(gl, a.a_bone, g.vertexBuffer, 1, BONEMODEL3D_STRIDE, 4 * MODEL3D_BONE);
      gl.activeTexture(gl.TEXTURE0);
      gl.bindTexture(gl.TEXTURE_2D, g.boneTexture);
      gl.uniform1i(u.u_bones, 0);
      if (Orvakis3D.webgl2) {
        gl.uniform1i(u.u_bonesPerRow, g.bonesPerRow);
      } else {
        gl.uniform1f(u.u_bonesPerRow, g.bonesPerRow);
        gl.uniform2f(u.u_bonesSize, g.bonesPerRow * 4, g.boneRows);
      }
    }
    attribute(gl, a.a_uv, g.vertexBuffer, 2, BONEMODEL3D_STRIDE, 24);
    if (g.indexBuffer) gl.bindBuffer(gl.ELEMENT_ARRAY_BUFFER, g.indexBuffer);
    gl.uniform1i(u.u_texture, 1);

    for (const group of g.groups) {
      const m = this.materials[group.material];
      gl.uniform4fv(u.u_diffuse, m.diffuse);
      gl.uniform3fv(u.u_ambient, m.ambient);
      gl.uniform3fv(u.u_specular, m.specular);
      gl.uniform3fv(u.u_emissive, m.emissive);
      gl.uniform1f(u.u_power, m.power);
      gl.activeTexture(gl.TEXTURE1);
      const texture = Orvakis3D.textureOf(m.texture);
      gl.bindTexture(gl.TEXTURE_2D, texture || Orvakis3D.blankTexture());
      gl.uniform1f(u.u_textured, texture ? 1 : 0);
      if (g.indexBuffer) {
        gl.drawElements(gl.TRIANGLES, group.count, g.indexType, group.first * (g.indexType === gl.UNSIGNED_SHORT ? 2 : 4));
      } else {
        gl.drawArrays(gl.TRIANGLES, group.first, group.count);
      }
    }
  }
}
