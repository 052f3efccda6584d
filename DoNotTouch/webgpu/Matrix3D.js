// 4x4 matrix in column-major order (the order the graphics interfaces upload) for column vectors.
// The scene's own matrices are row-vector matrices stored row by row; uploaded unchanged they
// read as their transpose, which is exactly what `matrix * vector` in a shader needs.
class Matrix3D {
  constructor() {
    this.m = new Float32Array(16);
    this.m[0] = this.m[5] = this.m[10] = this.m[15] = 1;
    // Set by lookAt: the renderer lights the scene from the camera.
    this.eye = new Vector3D(0, 0, 0);
    this.target = new Vector3D(0, 0, -1);
  }

  // Right-handed viewing matrix: the camera sits at eye and looks along -z towards target.
  lookAt(eye, target, up) {
    this.eye = new Vector3D(eye.x, eye.y, eye.z);
    this.target = new Vector3D(target.x, target.y, target.z);
    let f = this.target.subtract(this.eye).normalize();
    if (f.length() === 0) f = new Vector3D(0, 0, -1);
    let s = f.cross(up).normalize();
    if (s.length() < 1e-6) {
      // Looking straight down (or up) along the up vector: screen-up becomes -z (or +z), as in
      // the desktop viewport's top (or bottom) view.
      s = f.cross(new Vector3D(0, 0, f.y < 0 ? -1 : 1)).normalize();
    }
    const u = s.cross(f);
    const m = this.m;
    m[0] = s.x; m[4] = s.y; m[8] = s.z; m[12] = -s.dot(this.eye);
    m[1] = u.x; m[5] = u.y; m[9] = u.z; m[13] = -u.dot(this.eye);
    m[2] = -f.x; m[6] = -f.y; m[10] = -f.z; m[14] = f.dot(this.eye);
    m[3] = 0; m[7] = 0; m[11] = 0; m[15] = 1;
    return this;
  }

  // The name the WebGL scene script uses.
  lookAtCamera(eye, target, up) {
    return this.lookAt(eye, target, up);
  }

  // Unit vector from the eye towards the target.
  viewDirection() {
    const f = this.target.subtract(this.eye).normalize();
    return f.length() > 0 ? f : new Vector3D(0, 0, -1);
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
