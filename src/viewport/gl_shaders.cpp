#include "viewport/gl_shaders.h"

namespace qv {

// Matrices arrive transposed on upload, so `v * M` is the scene's row-vector product.
// Lighting happens in view space: D = Md·Ld·max(N·L, 0), A = Ma·(Ga + La),
// S = Ms·Ls·(N·H)^P (only where N·L > 0), colour = clamp(E + A + D), alpha = Md.a. The half
// vector uses the eye direction of each vertex (local viewer) or the fixed (0, 0, -1).
const char* const kFixedFunctionVertexShader = R"(#version 330 core
layout(location = 0) in vec3 a_position;
layout(location = 1) in vec3 a_normal;
layout(location = 2) in vec2 a_uv;
layout(location = 3) in vec4 a_color;

uniform mat4 u_worldView;
uniform mat4 u_projection;
uniform mat3 u_normalMatrix;
uniform bool u_remapDepth;

uniform bool u_lighting;
uniform bool u_normalize;
uniform bool u_specularEnable;
uniform bool u_localViewer;
uniform bool u_lightEnabled;
uniform vec4 u_globalAmbient;
uniform vec3 u_towardLight;
uniform vec4 u_lightDiffuse;
uniform vec4 u_lightSpecular;
uniform vec4 u_lightAmbient;
uniform vec4 u_materialDiffuse;
uniform vec4 u_materialAmbient;
uniform vec4 u_materialSpecular;
uniform vec4 u_materialEmissive;
uniform float u_materialPower;

out vec4 v_diffuse;
flat out vec4 v_diffuseFlat;
out vec3 v_specular;
flat out vec3 v_specularFlat;
out vec2 v_uv;

void main() {
  vec4 viewPosition = vec4(a_position, 1.0) * u_worldView;
  gl_Position = viewPosition * u_projection;
  if (u_remapDepth) gl_Position.z = 2.0 * gl_Position.z - gl_Position.w;

  vec4 diffuse = a_color;
  vec3 specular = vec3(0.0);
  if (u_lighting) {
    vec3 n = a_normal * u_normalMatrix;
    if (u_normalize && dot(n, n) > 0.0) n = normalize(n);
    vec3 lit = u_materialEmissive.rgb + u_materialAmbient.rgb * u_globalAmbient.rgb;
    if (u_lightEnabled) {
      lit += u_materialAmbient.rgb * u_lightAmbient.rgb;
      float nl = dot(n, u_towardLight);
      if (nl > 0.0) {
        lit += u_materialDiffuse.rgb * u_lightDiffuse.rgb * nl;
        if (u_specularEnable) {
          vec3 towardEye = u_localViewer ? normalize(-viewPosition.xyz) : vec3(0.0, 0.0, -1.0);
          vec3 h = normalize(towardEye + u_towardLight);
          float nh = dot(n, h);
          if (nh > 0.0)
            specular = u_materialSpecular.rgb * u_lightSpecular.rgb *
                       (u_materialPower > 0.0 ? pow(nh, u_materialPower) : 1.0);
        }
      }
    }
    diffuse = vec4(clamp(lit, 0.0, 1.0), clamp(u_materialDiffuse.a, 0.0, 1.0));
    specular = clamp(specular, 0.0, 1.0);
  }
  v_diffuse = diffuse;
  v_diffuseFlat = diffuse;
  v_specular = specular;
  v_specularFlat = specular;
  v_uv = a_uv;
}
)";

// Combine modes: 0 diffuse, 1 texture, 2 texture × diffuse. Without a texture the texture reads
// as opaque white.
const char* const kFixedFunctionFragmentShader = R"(#version 330 core
in vec4 v_diffuse;
flat in vec4 v_diffuseFlat;
in vec3 v_specular;
flat in vec3 v_specularFlat;
in vec2 v_uv;

uniform bool u_flat;
uniform bool u_hasTexture;
uniform sampler2D u_texture;
uniform int u_colorCombine;
uniform int u_alphaCombine;

out vec4 o_color;

vec4 Combine(int mode, vec4 texel, vec4 diffuse) {
  if (mode == 0) return diffuse;
  if (mode == 1) return texel;
  return texel * diffuse;
}

void main() {
  vec4 diffuse = u_flat ? v_diffuseFlat : v_diffuse;
  vec3 specular = u_flat ? v_specularFlat : v_specular;
  vec4 texel = u_hasTexture ? texture(u_texture, v_uv) : vec4(1.0);
  vec3 rgb = Combine(u_colorCombine, texel, diffuse).rgb;
  float alpha = Combine(u_alphaCombine, texel, diffuse).a;
  o_color = vec4(min(rgb + specular, vec3(1.0)), alpha);
}
)";

}  // namespace qv
