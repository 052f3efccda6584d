// Shader of the WebGPU renderer. Lighting follows the desktop viewport's fixed-function setup:
// per-vertex (Gouraud) lighting by one directional light with diffuse and specular 0.8 and
// ambient 0.2, on top of a white global ambient, and colour = texture x lit colour + specular.
//
// Normals in a model script follow the viewport's convention: a face seen from its front has its
// normal pointing away from the viewer, and the viewport's light shines on exactly those faces.
// toLight is therefore the camera's viewing direction.
//
// Matrices: the scene's bone matrices are row-vector matrices stored row by row; read as WGSL
// (column-major) matrices they are their transpose, so `bone * position` applies them.
//
// Textures have mipmaps, read two levels finer than the filter would pick (bias -2): where a
// texture is shrunk less than fourfold the page samples the full image as the viewport does,
// and only beyond that, where the viewport's picture breaks up and shimmers, the smaller copies
// take over.
const WGSL = {
  // Draws one mipmap level from the level above: a triangle covering the target.
  mipmapSource: `
struct MipOut {
  @builtin(position) position: vec4f,
  @location(0) uv: vec2f,
};

@vertex
fn vertexMain(@builtin(vertex_index) i: u32) -> MipOut {
  let p = vec2f(f32((i << 1u) & 2u), f32(i & 2u));
  var out: MipOut;
  out.position = vec4f(p * 2.0 - 1.0, 0.0, 1.0);
  out.uv = vec2f(p.x, 1.0 - p.y);
  return out;
}

@group(0) @binding(0) var mipSampler: sampler;
@group(0) @binding(1) var mipSource: texture_2d<f32>;

@fragment
fn fragmentMain(input: MipOut) -> @location(0) vec4f {
  return textureSample(mipSource, mipSampler, input.uv);
}
`,

  source: `
// The camera and the bones' matrices of the frame shown: one buffer, written once per frame.
struct Scene {
  view: mat4x4f,
  projection: mat4x4f,
  toLight: vec4f,
  bones: array<mat4x4f>,
};

struct MaterialData {
  diffuse: vec4f,
  ambient: vec4f,
  specular: vec4f,   // w: power
  emissive: vec4f,   // w: 1 when textured
};

@group(0) @binding(0) var<storage, read> scene: Scene;
@group(0) @binding(1) var<storage, read> materials: array<MaterialData>;
@group(1) @binding(0) var materialSampler: sampler;
@group(1) @binding(1) var materialTexture: texture_2d<f32>;

struct VertexOut {
  @builtin(position) position: vec4f,
  @location(0) colour: vec4f,
  @location(1) specular: vec3f,
  @location(2) uv: vec2f,
  @location(3) @interpolate(flat) textured: f32,
};

// Inverse transpose of the upper 3x3 part, as the fixed-function pipeline transforms normals;
// the cofactor matrix has the right direction, the determinant's sign keeps the orientation.
fn transformNormal(m: mat4x4f, n: vec3f) -> vec3f {
  let a = m[0].xyz;
  let b = m[1].xyz;
  let c = m[2].xyz;
  let cofactor = mat3x3f(cross(b, c), cross(c, a), cross(a, b));
  let d = dot(a, cross(b, c));
  let r = cofactor * n * select(1.0, -1.0, d < 0.0);
  let l = length(r);
  return select(r, r / l, l > 0.0);
}

// Each draw names its material as its first instance.
@vertex
fn vertexMain(@location(0) position: vec3f, @location(1) normal: vec3f, @location(2) uv: vec2f,
              @location(3) bone: f32, @builtin(instance_index) materialIndex: u32) -> VertexOut {
  let m = scene.bones[min(u32(bone), arrayLength(&scene.bones) - 1u)];
  let material = materials[min(materialIndex, arrayLength(&materials) - 1u)];
  let world = m * vec4f(position, 1.0);
  let n = transformNormal(m, normal);
  let nl = max(dot(n, scene.toLight.xyz), 0.0);
  let c = material.emissive.rgb + material.ambient.rgb * 1.2 + material.diffuse.rgb * (0.8 * nl);
  var out: VertexOut;
  out.colour = vec4f(clamp(c, vec3f(0.0), vec3f(1.0)), material.diffuse.a);
  out.specular = vec3f(0.0);
  if (nl > 0.0 && material.specular.w > 0.0) {
    out.specular = material.specular.rgb * (0.8 * pow(nl, material.specular.w));
  }
  out.uv = uv;
  out.textured = material.emissive.w;
  out.position = scene.projection * (scene.view * world);
  return out;
}

@fragment
fn fragmentMain(input: VertexOut) -> @location(0) vec4f {
  let t = textureSampleBias(materialTexture, materialSampler, input.uv, -2.0);
  let c = input.colour * select(vec4f(1.0), t, input.textured > 0.5);
  return vec4f(min(c.rgb + input.specular, vec3f(1.0)), c.a);
}
`,
};
