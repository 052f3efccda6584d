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

// What the WebGL and the WebGPU player share around their graphics interface: the canvas's
// drawing buffer, the still frame of ?frame=N, the projection, the messages that take the
// canvas's place, and the loop that draws a frame when the shown frame changes. It sits here
// because both players are loaded right after this file.
//
// The drawing buffer has the canvas's size times devicePixelRatio, while the canvas keeps the
// size the scene script gave it on the page, so edges stay sharp on high-density screens.
class ScenePlayer {
  // depthZeroToOne: the graphics interface's depth range is 0..1 (WebGPU), not -1..1 (WebGL).
  constructor(depthZeroToOne) {
    this.depthZeroToOne = depthZeroToOne;
    this.framesPerSecond = 30;
    this.near = 100;
    this.far = 10000;
    this.canvas = null;
    // Playback frame number (not yet wrapped to the animation's length).
    this.frameNumber = 0;
    // Frames drawn so far (a new picture, not a repeated animation frame).
    this.framesDrawn = 0;
    // The drawing loop runs.
    this.started = false;
    // Something other than the frame changed (a texture arrived): draw again.
    this.dirty = true;
    this.warned = {};
    // The frame asked for by ?frame=N, or null while playing.
    this.stillFrame = null;
    // Size of the canvas on the page (CSS pixels), as the scene script wrote it.
    this.cssWidth = 0;
    this.cssHeight = 0;
    this.pixelRatio = 1;
    // A message replaced the canvas: nothing is drawn any more.
    this.failed = false;
    this.projection = new Matrix3D();
  }

  static unavailableMessage(api) {
    return api + ' を利用できません (' + api + ' is not available in this browser).';
  }

  warnOnce(key, text) {
    if (this.warned[key]) return;
    this.warned[key] = true;
    console.warn(text);
  }

  // A page opened from the file system may not read images into the graphics interface.
  warnFileProtocol() {
    this.warnOnce('file-protocol', 'Textures are not shown when the page is opened as a file (file://); ' +
      'open it through a web server to see them.');
  }

  // Puts a short text where the canvas was.
  showMessage(canvas, text) {
    const box = document.createElement('div');
    box.textContent = text;
    box.style.cssText = 'display:flex;align-items:center;justify-content:center;text-align:center;' +
      'box-sizing:border-box;padding:1em;border:1px solid #888;font:16px sans-serif;';
    box.style.width = (this.cssWidth || canvas.width || 300) + 'px';
    box.style.height = (this.cssHeight || canvas.height || 150) + 'px';
    canvas.replaceWith(box);
  }

  // The player cannot go on: the message takes the canvas's place and drawing stops.
  fail(text) {
    if (this.failed) return;
    this.failed = true;
    if (this.canvas) this.showMessage(this.canvas, text);
  }

  failShader() {
    this.fail('シェーダーをコンパイルできません (a shader failed to compile; the scene cannot be shown).');
  }

  // Takes the scene's canvas: the still frame asked for and the drawing buffer's first size.
  attachCanvas(canvas) {
    this.canvas = canvas;
    this.stillFrame = this.readStillFrame();
    this.fitDrawingBuffer();
  }

  // ?frame=N: a whole number from 0.
  readStillFrame() {
    const value = new URLSearchParams(location.search).get('frame');
    return value !== null && /^\d+$/.test(value) ? Number(value) : null;
  }

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
  }

  projectionMatrix() {
    const aspect = this.cssWidth / Math.max(this.cssHeight, 1);
    return this.projection.perspective(_fov, aspect, this.near, this.far, this.depthZeroToOne);
  }

  // Whether a frame can be drawn now (a player waiting for its context says no).
  canDraw() {
    return true;
  }

  // Starts the drawing loop: animation 0 plays at framesPerSecond, looping, by the clock (a slow
  // browser skips frames, a fast one shows a frame more than once), or stays on the still frame.
  // drawFrame() runs whenever the shown frame changes or something else did; resized() first
  // when the drawing buffer changed size.
  startLoop(drawFrame, resized) {
    let start = null;
    let shown = -1;
    const step = (now) => {
      if (this.failed) return;
      if (start === null) start = now;
      const still = this.stillFrame;
      const frame = still !== null ? still : Math.floor((now - start) * this.framesPerSecond / 1000);
      if (this.fitDrawingBuffer()) {
        if (resized) resized();
        this.dirty = true;
      }
      if (this.canDraw() && (frame !== shown || this.dirty)) {
        shown = frame;
        this.dirty = false;
        this.frameNumber = frame;
        drawFrame();
        this.framesDrawn++;
      }
      // Scheduled last: a failing frame reports its error once instead of on every frame.
      requestAnimationFrame(step);
    };
    this.started = true;
    requestAnimationFrame(step);
  }
}
