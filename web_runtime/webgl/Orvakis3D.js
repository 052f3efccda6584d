// WebGL player of an exported scene. The page calls initWebGL() once the scripts are loaded; the
// player then lets the scene script create its model (beginWebGL) and calls drawWebGL() for every
// frame it shows. Animation 0 plays at 30 frames per second, looping, by the clock: a slow
// browser skips frames, a fast one shows a frame more than once.

// A page opened with ?frame=N shows frame N and stops there (a poster frame).
//
// The drawing buffer has the canvas's size times devicePixelRatio, while the canvas keeps the
// size the scene script gave it on the page, so edges stay sharp on high-density screens. A lost
// WebGL context is waited out: when the browser gives it back, the player sets WebGL up again,
// runs the model script again (it holds the only copy of the geometry) and plays on.

// Globals shared with the scene script.
var _fov = 20;
var _eye = new Vector3D(0, 0, 1500);
var _lookAt = new Vector3D(0, 0, 0);
var _mvMatrix = new SceneCamera();

const Orvakis3D = {
  framesPerSecond: 30,
  near: 100,
  far: 10000,
  gl: null,
  canvas: null,
  webgl2: false,
  // Playback frame number (not yet wrapped to the animation's length).
  frameNumber: 0,
  // Frames drawn so far (a new picture, not a repeated animation frame).
  framesDrawn: 0,
  // The drawing loop runs.
  started: false,
  // Something other than the frame changed (a texture arrived): draw again.
  dirty: true,
  programs: {},
  warned: {},
  whiteTexture: null,
  // The frame asked for by ?frame=N, or null while playing.
  stillFrame: null,
  // Size of the canvas on the page (CSS pixels), as the scene script wrote it.
  cssWidth: 0,
  cssHeight: 0,
  pixelRatio: 1,
  // Waiting for a lost context to come back; failed: a message replaced the canvas.
  contextLost: false,
  failed: false,
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

  program(boneMode) {
    if (!this.programs[boneMode]) {
      this.programs[boneMode] = GLSL.createProgram(this.gl, GLSL.vertexSource(this.webgl2, boneMode),
        GLSL.fragmentSource(this.webgl2));
    }
    return this.programs[boneMode];
  },

  // Whether vertex shaders can read matrices from a float texture.
  boneTexturesSupported() {
    const gl = this.gl;
    if (gl.getParameter(gl.MAX_VERTEX_TEXTURE_IMAGE_UNITS) < 1) return false;
    return this.webgl2 || !!gl.getExtension('OES_texture_float');
  },

  // 32-bit indices (always there in WebGL 2).
  uintIndicesSupported() {
    return this.webgl2 || !!this.gl.getExtension('OES_element_index_uint');
  },

  projectionMatrix() {
    const aspect = this.cssWidth / Math.max(this.cssHeight, 1);
    return this.projection.perspective(_fov, aspect, this.near, this.far, false);
  },

  // The GL texture of what initTexture returned, uploaded on first use; null while the image
  // is not there (or never will be): the material is then drawn without texture.
  textureOf(holder) {
    if (!holder || typeof holder !== 'object') return null;
    if (holder.texture) return holder.texture;
    if (!holder.image || holder.failed) return null;
    const gl = this.gl;
    let source = holder.image;
    const isPowerOfTwo = (n) => n > 0 && (n & (n - 1)) === 0;
    if (!this.webgl2 && (!isPowerOfTwo(source.width) || !isPowerOfTwo(source.height))) {
      // WebGL 1 repeats only power-of-two textures; texture coordinates wrap like the viewport's.
      const canvas = document.createElement('canvas');
      canvas.width = 1 << Math.ceil(Math.log2(Math.max(source.width, 1)));
      canvas.height = 1 << Math.ceil(Math.log2(Math.max(source.height, 1)));
      canvas.getContext('2d').drawImage(source, 0, 0, canvas.width, canvas.height);
      source = canvas;
    }
    const texture = gl.createTexture();
    gl.bindTexture(gl.TEXTURE_2D, texture);
    gl.pixelStorei(gl.UNPACK_FLIP_Y_WEBGL, false);
    gl.pixelStorei(gl.UNPACK_PREMULTIPLY_ALPHA_WEBGL, false);
    gl.pixelStorei(gl.UNPACK_COLORSPACE_CONVERSION_WEBGL, gl.NONE);
    try {
      gl.texImage2D(gl.TEXTURE_2D, 0, gl.RGBA, gl.RGBA, gl.UNSIGNED_BYTE, source);
    } catch (e) {
      gl.deleteTexture(texture);
      holder.failed = true;
      this.warnOnce('texture-security', 'Textures cannot be read here (' + e.message + '); drawing without them.');
      return null;
    }
    // Mipmaps: a logo turning away samples a smaller copy instead of shimmering (WebGL 1 has
    // them for power-of-two sizes, which the texture has by now).
    gl.generateMipmap(gl.TEXTURE_2D);
    gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MIN_FILTER, gl.LINEAR_MIPMAP_LINEAR);
    gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MAG_FILTER, gl.LINEAR);
    gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_S, gl.REPEAT);
    gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_T, gl.REPEAT);
    holder.texture = texture;
    holder.image = null;
    return texture;
  },

  // 1x1 white texture bound while a material has none.
  blankTexture() {
    if (!this.whiteTexture) {
      const gl = this.gl;
      this.whiteTexture = gl.createTexture();
      gl.bindTexture(gl.TEXTURE_2D, this.whiteTexture);
      gl.texImage2D(gl.TEXTURE_2D, 0, gl.RGBA, 1, 1, 0, gl.RGBA, gl.UNSIGNED_BYTE, new Uint8Array([255, 255, 255, 255]));
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MIN_FILTER, gl.NEAREST);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MAG_FILTER, gl.NEAREST);
    }
    return this.whiteTexture;
  },

  callScene(name, event) {
    const f = window[name];
    if (typeof f === 'function') f(event);
  },
};

// Fixed pipeline states, set on a new context and again on a restored one.
Orvakis3D.setUpContext = function () {
  const gl = this.gl;
  gl.enable(gl.DEPTH_TEST);
  gl.depthFunc(gl.LEQUAL);
  // The viewport culls triangles that appear counter-clockwise.
  gl.enable(gl.CULL_FACE);
  gl.frontFace(gl.CW);
  gl.cullFace(gl.BACK);
  // Alpha blending; the alpha channel accumulates coverage so the page composites correctly.
  gl.enable(gl.BLEND);
  gl.blendFuncSeparate(gl.SRC_ALPHA, gl.ONE_MINUS_SRC_ALPHA, gl.ONE, gl.ONE_MINUS_SRC_ALPHA);
};

// Lets the scene script build its model; a shader that does not compile ends in the message.
Orvakis3D.buildScene = function () {
  if (typeof beginWebGL !== 'function') return;
  try {
    beginWebGL();
  } catch (e) {
    if (!e || !e.shaderFailure) throw e;
    console.error(e.message);
    this.fail('シェーダーをコンパイルできません (a shader failed to compile; the scene cannot be shown).');
  }
};

// Everything made on the lost context is gone: programs, textures, the model's buffers.
Orvakis3D.restoreContext = function () {
  this.programs = {};
  this.whiteTexture = null;
  this.setUpContext();
  this.buildScene();
  this.contextLost = false;
  this.dirty = true;
};

// Called by the page (once). Sets up WebGL on the scene's canvas, lets the scene script build its
// model and starts playback.
function initWebGL() {
  if (Orvakis3D.gl) return;
  const canvas = document.getElementById('Orvakis3D-Canvas') || document.querySelector('canvas');
  if (!canvas) {
    console.error('initWebGL: the page has no canvas.');
    return;
  }
  Orvakis3D.canvas = canvas;
  Orvakis3D.stillFrame = Orvakis3D.readStillFrame();
  Orvakis3D.fitDrawingBuffer();
  // Transparent clear: the style sheet's background colour shows around the model.
  const attributes = { alpha: true, premultipliedAlpha: true, antialias: true, depth: true };
  let gl = canvas.getContext('webgl2', attributes);
  const webgl2 = !!gl;
  if (!gl) gl = canvas.getContext('webgl', attributes) || canvas.getContext('experimental-webgl', attributes);
  if (!gl) {
    Orvakis3D.showMessage(canvas, 'WebGL を利用できません (WebGL is not available in this browser).');
    return;
  }
  Orvakis3D.gl = gl;
  Orvakis3D.webgl2 = webgl2;
  canvas.addEventListener('webglcontextlost', (event) => {
    event.preventDefault();  // asks the browser to give the context back
    Orvakis3D.contextLost = true;
  });
  canvas.addEventListener('webglcontextrestored', () => Orvakis3D.restoreContext());

  Orvakis3D.setUpContext();
  Orvakis3D.buildScene();
  if (Orvakis3D.failed) return;

  canvas.addEventListener('mousedown', (e) => Orvakis3D.callScene('onMouseDown', e));
  canvas.addEventListener('mouseup', (e) => Orvakis3D.callScene('onMouseUp', e));
  canvas.addEventListener('mousemove', (e) => Orvakis3D.callScene('onMouseMove', e));
  document.addEventListener('keydown', (e) => Orvakis3D.callScene('onKeyDown', e));
  document.addEventListener('keyup', (e) => Orvakis3D.callScene('onKeyUp', e));

  let start = null;
  let shown = -1;
  const step = (now) => {
    if (Orvakis3D.failed) return;
    if (start === null) start = now;
    const still = Orvakis3D.stillFrame;
    const frame = still !== null ? still : Math.floor((now - start) * Orvakis3D.framesPerSecond / 1000);
    if (Orvakis3D.fitDrawingBuffer()) Orvakis3D.dirty = true;
    if (!Orvakis3D.contextLost && (frame !== shown || Orvakis3D.dirty)) {
      shown = frame;
      Orvakis3D.dirty = false;
      Orvakis3D.frameNumber = frame;
      gl.viewport(0, 0, gl.drawingBufferWidth, gl.drawingBufferHeight);
      gl.clearColor(0, 0, 0, 0);
      gl.clearDepth(1);
      gl.depthMask(true);
      gl.clear(gl.COLOR_BUFFER_BIT | gl.DEPTH_BUFFER_BIT);
      if (typeof drawWebGL === 'function') drawWebGL();
      Orvakis3D.framesDrawn++;
    }
    // Scheduled last: a failing frame reports its error once instead of on every frame.
    requestAnimationFrame(step);
  };
  Orvakis3D.started = true;
  requestAnimationFrame(step);
}

// Starts loading a texture image from the page's folder; setMaterial takes the result.
function initTexture(fileName) {
  const holder = { fileName: String(fileName), image: null, texture: null, failed: false };
  if (location.protocol === 'file:') {
    // A page opened from the file system may not read images into WebGL.
    holder.failed = true;
    Orvakis3D.warnOnce('file-protocol', 'Textures are not shown when the page is opened as a file (file://); ' +
      'open it through a web server to see them.');
    return holder;
  }
  const image = new Image();
  image.onload = () => {
    holder.image = image;
    Orvakis3D.dirty = true;
  };
  image.onerror = () => {
    holder.failed = true;
    console.warn('Texture "' + holder.fileName + '" could not be loaded; drawing without it.');
  };
  image.src = encodeURIComponent(holder.fileName);
  return holder;
}
