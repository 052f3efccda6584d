// 4x4 matrix in column-major order (the order the graphics interfaces upload) for column vectors.
// The scene's own matrices are row-vector matrices stored row by row; uploaded unchanged they
// read as their transpose, which is exactly what `matrix * vector` in a shader needs.
class Matrix3D {
  constructor() {
    this.m = new Float32Array(16);
    this.m[0] = this.m[5] = this.m[10] = this.m[15] = 1;
  }

  // Right-handed viewing matrix: the camera sits at eye and looks along -z towards target.
  // Works on numbers only: the players call it on every frame.
  lookAt(eye, target, up) {
    let fx = target.x - eye.x, fy = target.y - eye.y, fz = target.z - eye.z;
    let l = Math.hypot(fx, fy, fz);
    if (l > 0) {
      fx /= l; fy /= l; fz /= l;
    } else {
      fx = 0; fy = 0; fz = -1;
    }
    // s = f x up
    let sx = fy * up.z - fz * up.y, sy = fz * up.x - fx * up.z, sz = fx * up.y - fy * up.x;
    l = Math.hypot(sx, sy, sz);
    if (l < 1e-6) {
      // Looking straight down (or up) along the up vector: screen-up becomes -z (or +z), as in
      // the desktop viewport's top (or bottom) view.
      const uz = fy < 0 ? -1 : 1;
      sx = fy * uz; sy = -fx * uz; sz = 0;
      l = Math.hypot(sx, sy, sz) || 1;
    }
    sx /= l; sy /= l; sz /= l;
    // u = s x f
    const ux = sy * fz - sz * fy, uy = sz * fx - sx * fz, uz = sx * fy - sy * fx;
    return this.setView(eye, sx, sy, sz, ux, uy, uz, -fx, -fy, -fz);
  }

  // View matrix from the camera's right, up and backward axes (world space, unit length).
  setView(eye, sx, sy, sz, ux, uy, uz, bx, by, bz) {
    const m = this.m;
    m[0] = sx; m[4] = sy; m[8] = sz; m[12] = -(sx * eye.x + sy * eye.y + sz * eye.z);
    m[1] = ux; m[5] = uy; m[9] = uz; m[13] = -(ux * eye.x + uy * eye.y + uz * eye.z);
    m[2] = bx; m[6] = by; m[10] = bz; m[14] = -(bx * eye.x + by * eye.y + bz * eye.z);
    m[3] = 0; m[7] = 0; m[11] = 0; m[15] = 1;
    return this;
  }

  // Right-handed perspective with a vertical field of view in degrees. Depth maps to -1..1 for
  // WebGL, or to 0..1 when zeroToOne is set (WebGPU).
  perspective(fovDegrees, aspect, near, far, zeroToOne) {
    let fov = Number(fovDegrees);
    if (!(fov > 0 && fov < 180)) fov = 20;
    if (!(aspect > 0)) aspect = 1;
    const y = 1 / Math.tan(fov * Math.PI / 360);
    const m = this.m;
    m.fill(0);
    m[0] = y / aspect;
    m[5] = y;
    m[11] = -1;
    if (zeroToOne) {
      m[10] = far / (near - far);
      m[14] = near * far / (near - far);
    } else {
      m[10] = (far + near) / (near - far);
      m[14] = 2 * far * near / (near - far);
    }
    return this;
  }
}

// The camera the scene script places on every frame (`_mvMatrix` for WebGL, `_camera` for
// WebGPU): the viewport's camera, and the direction of its light.
//
// The scene script names the eye and a point 100 units along the third column of the viewport's
// camera-to-world matrix, with the z term negated: for the viewport's camera, turned by x then
// by y (the viewport never rolls it), that point is not straight ahead, but it gives both
// angles: it lies along (sin y, -cos y sin x, -cos y cos x). The angles make the viewport's own
// view. cos y is known up to its sign; the camera looks towards the scene, so the sign whose
// forward direction points more nearly at the origin is taken (exact for a camera that was not
// panned). The zoom needs nothing: the eye already sits closer by the zoom factor, which shows
// the same picture.
//
// The viewport's light shines from the camera towards the point it turns around (the origin
// unless it follows a model), so toLight is the direction from the eye to the origin.
class SceneCamera extends Matrix3D {
  constructor() {
    super();
    this.toLight = new Float32Array([0, 0, -1]);
  }

  lookAt(eye, target, up) {
    const dx = target.x - eye.x, dy = target.y - eye.y, dz = target.z - eye.z;
    const l = Math.hypot(dx, dy, dz);
    if (!(l > 0)) return super.lookAt(eye, target, up);
    const sinY = Math.max(-1, Math.min(1, dx / l));
    let cosY = Math.hypot(dy, dz) / l;
    let sinX = 0, cosX = 1;
    if (cosY > 1e-7) {
      sinX = -dy / l / cosY;
      cosX = -dz / l / cosY;
    } else {
      cosY = 0;
    }
    // Forward is (sinY cosX, -sinX, -cosY cosX); the other sign of cos y turns the first two
    // components round.
    if (sinY * cosX * eye.x - sinX * eye.y > 0) {
      cosY = -cosY; sinX = -sinX; cosX = -cosX;
    }
    // Rows of the camera's rotation Ry * Rx (row vectors): right, up, backward axes are its columns.
    this.setView(eye, cosY, 0, sinY, sinY * sinX, cosX, -cosY * sinX, -sinY * cosX, sinX, cosY * cosX);
    const e = Math.hypot(eye.x, eye.y, eye.z);
    const t = this.toLight;
    if (e > 0) {
      t[0] = -eye.x / e; t[1] = -eye.y / e; t[2] = -eye.z / e;
    } else {
      t[0] = sinY * cosX; t[1] = -sinX; t[2] = -cosY * cosX;
    }
    return this;
  }

  // The name the WebGL scene script uses.
  lookAtCamera(eye, target, up) {
    return this.lookAt(eye, target, up);
  }
}
