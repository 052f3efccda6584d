// Shaders of the WebGL renderer. Lighting follows the desktop viewport's fixed-function setup:
// per-vertex (Gouraud) lighting by one directional light with diffuse and specular 0.8 and
// ambient 0.2, on top of a white global ambient, and colour = texture x lit colour + specular.
//
// Normals in a model script follow the viewport's convention: a face seen from its front has its
// normal pointing away from the viewer, and the viewport's light shines on exactly those faces.
// u_toLight is therefore the camera's viewing direction.
//
// Bone modes: 'texture' reads one matrix per bone from a float texture (4 texels per bone);
// 'none' means the positions and normals arrive already transformed (skinned on the CPU).
//
// Textures have mipmaps, read two levels finer than the filter would pick (bias -2): where a
// texture is shrunk less than fourfold the page samples the full image as the viewport does,
// and only beyond that, where the viewport's picture breaks up and shimmers, the smaller copies
// take over.
const GLSL = {
  lightingFunctions: `
vec3 transformNormal(mat4 m, vec3 n) {
  // Inverse transpose of the upper 3x3 part, as the fixed-function pipeline transforms normals;
  // the cofactor matrix has the right direction, the determinant's sign keeps the orientation.
  vec3 a = m[0].xyz, b = m[1].xyz, c = m[2].xyz;
  mat3 cofactor = mat3(cross(b, c), cross(c, a), cross(a, b));
  float d = dot(a, cross(b, c));
  vec3 r = cofactor * n * (d < 0.0 ? -1.0 : 1.0);
  float l = length(r);
  return l > 0.0 ? r / l : r;
}

void lightVertex(vec3 n, out vec4 colour, out vec3 specular) {
  float nl = max(dot(n, u_toLight), 0.0);
  vec3 c = u_emissive + u_ambient * 1.2 + u_diffuse.rgb * (0.8 * nl);
  colour = vec4(clamp(c, 0.0, 1.0), u_diffuse.a);
  specular = (nl > 0.0 && u_power > 0.0) ? u_specular * (0.8 * pow(nl, u_power)) : vec3(0.0);
}
`,

  uniforms: `
uniform mat4 u_view;
uniform mat4 u_projection;
uniform vec3 u_toLight;
uniform vec4 u_diffuse;
uniform vec3 u_ambient;
uniform vec3 u_specular;
uniform vec3 u_emissive;
uniform float u_power;
`,

  vertexSource(webgl2, boneMode) {
    const v2 = webgl2;
    const head = v2
      ? '#version 300 es\nprecision highp float;\nprecision highp int;\n#define IN in\n#define OUT out\n'
      : 'precision highp float;\n#define IN attribute\n#define OUT varying\n';
    let bones = '';
    if (boneMode === 'texture' && v2) {
      bones = `
uniform highp sampler2D u_bones;
uniform int u_bonesPerRow;
mat4 boneMatrix() {
  int b = int(a_bone + 0.5);
  int row = b / u_bonesPerRow;
  int x = (b - row * u_bonesPerRow) * 4;
  return mat4(texelFetch(u_bones, ivec2(x, row), 0), texelFetch(u_bones, ivec2(x + 1, row), 0),
              texelFetch(u_bones, ivec2(x + 2, row), 0), texelFetch(u_bones, ivec2(x + 3, row), 0));
}
`;
    } else if (boneMode === 'texture') {
      bones = `
uniform sampler2D u_bones;
uniform vec2 u_bonesSize;
uniform float u_bonesPerRow;
mat4 boneMatrix() {
  float row = floor((a_bone + 0.5) / u_bonesPerRow);
  float x = (a_bone - row * u_bonesPerRow) * 4.0;
  vec2 texel = 1.0 / u_bonesSize;
  vec2 p = (vec2(x, row) + 0.5) * texel;
  return mat4(texture2D(u_bones, p), texture2D(u_bones, p + vec2(texel.x, 0.0)),
              texture2D(u_bones, p + vec2(2.0 * texel.x, 0.0)), texture2D(u_bones, p + vec2(3.0 * texel.x, 0.0)));
}
`;
    } else {
      bones = '\nmat4 boneMatrix() { return mat4(1.0); }\n';
    }
    return head + `
IN vec3 a_position;
IN vec3 a_normal;
IN vec2 a_uv;
IN float a_bone;
OUT vec4 v_colour;
OUT vec3 v_specular;
OUT vec2 v_uv;
` + GLSL.uniforms + bones + GLSL.lightingFunctions + `
void main() {
  mat4 m = boneMatrix();
  vec4 world = m * vec4(a_position, 1.0);
  lightVertex(transformNormal(m, a_normal), v_colour, v_specular);
  v_uv = a_uv;
  gl_Position = u_projection * (u_view * world);
}
`;
  },

  fragmentSource(webgl2) {
    if (webgl2) {
      return `#version 300 es
precision mediump float;
uniform sampler2D u_texture;
uniform float u_textured;
in vec4 v_colour;
in vec3 v_specular;
in vec2 v_uv;
out vec4 fragColour;
void main() {
  vec4 c = v_colour * mix(vec4(1.0), texture(u_texture, v_uv, -2.0), u_textured);
  fragColour = vec4(min(c.rgb + v_specular, vec3(1.0)), c.a);
}
`;
    }
    return `precision mediump float;
uniform sampler2D u_texture;
uniform float u_textured;
varying vec4 v_colour;
varying vec3 v_specular;
varying vec2 v_uv;
void main() {
  vec4 c = v_colour * mix(vec4(1.0), texture2D(u_texture, v_uv, -2.0), u_textured);
  gl_FragColor = vec4(min(c.rgb + v_specular, vec3(1.0)), c.a);
}
`;
  },

  // An error the player shows as its shader message.
  failure(text) {
    const error = new Error(text);
    error.shaderFailure = true;
    return error;
  },

  // Sends the sources to compile and link and returns at once: the GPU process works on them
  // while the page goes on (the model script runs meanwhile). finishProgram waits for the result.
  startProgram(gl, vertexSource, fragmentSource) {
    const compile = (type, source) => {
      const shader = gl.createShader(type);
      gl.shaderSource(shader, source);
      gl.compileShader(shader);
      return shader;
    };
    const program = gl.createProgram();
    const vertex = compile(gl.VERTEX_SHADER, vertexSource);
    const fragment = compile(gl.FRAGMENT_SHADER, fragmentSource);
    gl.attachShader(program, vertex);
    gl.attachShader(program, fragment);
    // Position at location 0: some drivers draw nothing when attribute 0 is unused.
    gl.bindAttribLocation(program, 0, 'a_position');
    gl.linkProgram(program);
    gl.flush();
    return { program, vertex, fragment };
  },

  // The started program's result: { program, attributes, uniforms }, or throws with the log.
  finishProgram(gl, started) {
    const { program, vertex, fragment } = started;
    for (const shader of [vertex, fragment]) {
      if (!gl.getShaderParameter(shader, gl.COMPILE_STATUS) && !gl.isContextLost()) {
        throw GLSL.failure('Shader compilation failed: ' + gl.getShaderInfoLog(shader));
      }
    }
    if (!gl.getProgramParameter(program, gl.LINK_STATUS) && !gl.isContextLost()) {
      throw GLSL.failure('Shader linking failed: ' + gl.getProgramInfoLog(program));
    }
    const result = { program, attributes: {}, uniforms: {} };
    for (const name of ['a_position', 'a_normal', 'a_uv', 'a_bone']) {
      result.attributes[name] = gl.getAttribLocation(program, name);
    }
    const uniformNames = ['u_view', 'u_projection', 'u_toLight', 'u_diffuse', 'u_ambient', 'u_specular',
      'u_emissive', 'u_power', 'u_bones', 'u_bonesPerRow', 'u_bonesSize', 'u_texture', 'u_textured'];
    for (const name of uniformNames) result.uniforms[name] = gl.getUniformLocation(program, name);
    return result;
  },

  // Compiles and links; returns { program, attributes, uniforms } or throws with the log.
  createProgram(gl, vertexSource, fragmentSource) {
    return GLSL.finishProgram(gl, GLSL.startProgram(gl, vertexSource, fragmentSource));
  },
};
