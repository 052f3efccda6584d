#pragma once
// GLSL 3.30 sources of the one program the OpenGL device draws everything with: the
// fixed-function look of the viewport (per-vertex lighting with one directional light, flat or
// Gouraud shading, texture stage 0, specular added after texturing).
namespace qv {

extern const char* const kFixedFunctionVertexShader;
extern const char* const kFixedFunctionFragmentShader;

}  // namespace qv
