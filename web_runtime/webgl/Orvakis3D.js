// WebGL player of an exported scene. The page calls initWebGL() once the scripts are loaded; the
// player then lets the scene script create its model (beginWebGL) and calls drawWebGL() for every
// frame it shows. What both players share (the clock, ?frame=N, the drawing buffer's size, the
// messages) is ScenePlayer in Matrix3D.js.
//
// A lost WebGL context is waited out: when the browser gives it back, the player sets WebGL up
// again, runs the model script again (it holds the only copy of the geometry) and plays on.

// Globals shared with the scene script.
var _fov = 20;
var _eye = new Vector3D(0, 0, 1500);
var _lookAt = new Vector3D(0, 0, 0);
var _mvMatrix = new SceneCamera();

const Orvakis3D = Object.assign(new ScenePlayer(false), {
  gl: null,
  webgl2: false,
  programs: {},
  whiteTexture: null,
  // Waiting for a lost context to come back.
  contextLost: false,

  canDraw() {
    return !this.contextLost;
  },

  // Starts compiling a program, ahead of its first use.
  prepareProgram(boneMode) {
    if (!this.programs[boneMode]) {
      this.programs[boneMode] = { started: GLSL.startProgram(this.gl, GLSL.vertexSource(this.webgl2, boneMode),
        GLSL.fragmentSource(this.webgl2)) };
    }
    return this.programs[boneMode];
  },

  program(boneMode) {
    const entry = this.prepareProgram(boneMode);
    if (!entry.ready) {
      entry.ready = GLSL.finishProgram(this.gl, entry.started);
      entry.started = null;
    }
    return entry.ready;
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
});

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
  // The usual program compiles in the GPU process while the model script runs.
  if (this.boneTexturesSupported()) this.prepareProgram('texture');
  try {
    beginWebGL();
  } catch (e) {
    if (!e || !e.shaderFailure) throw e;
    console.error(e.message);
    this.failShader();
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
  Orvakis3D.attachCanvas(canvas);
  // Transparent clear: the style sheet's background colour shows around the model.
  const attributes = { alpha: true, premultipliedAlpha: true, antialias: true, depth: true };
  let gl = canvas.getContext('webgl2', attributes);
  const webgl2 = !!gl;
  if (!gl) gl = canvas.getContext('webgl', attributes) || canvas.getContext('experimental-webgl', attributes);
  if (!gl) {
    Orvakis3D.showMessage(canvas, ScenePlayer.unavailableMessage('WebGL'));
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

  Orvakis3D.startLoop(() => {
    gl.viewport(0, 0, gl.drawingBufferWidth, gl.drawingBufferHeight);
    gl.clearColor(0, 0, 0, 0);
    gl.clearDepth(1);
    gl.depthMask(true);
    gl.clear(gl.COLOR_BUFFER_BIT | gl.DEPTH_BUFFER_BIT);
    if (typeof drawWebGL === 'function') drawWebGL();
  });
}

// Starts loading a texture image from the page's folder; setMaterial takes the result.
function initTexture(fileName) {
  const holder = { fileName: String(fileName), image: null, texture: null, failed: false };
  if (location.protocol === 'file:') {
    holder.failed = true;
    Orvakis3D.warnFileProtocol();
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
