#pragma once
// The small drawing device the viewport renders through.
//
// It offers exactly what one viewport frame needs: vertex buffers of the two vertex layouts,
// 32-bit ARGB textures, clearing, a handful of render states, world/view/projection transforms,
// one directional light, one material, and line and triangle lists. Its behaviour follows the
// classic fixed-function pipeline the viewport was designed for (row-vector matrices, depth
// 0..1, counter-clockwise culling on screen, per-vertex lighting). Two implementations exist:
// GlDevice (OpenGL 3.3 core, the real one) and RecordingDevice (logs every call, for tests).
//
// Resources are plain uint32 handles; 0 means "none" and is what a failed creation returns.
#include <cstddef>
#include <cstdint>

#include "scene/material.h"
#include "scene/matrix4.h"
#include "scene/vector.h"

namespace qv {

// Model vertex: position, normal, u, v (32 bytes, MeshVertex).
// Line vertex: position, normal, colour 0xAARRGGBB (28 bytes, OutlineVertex).
enum class VertexLayout : uint8_t { kModel, kLine };
inline constexpr uint32_t kModelVertexStride = 32;
inline constexpr uint32_t kLineVertexStride = 28;
constexpr uint32_t StrideOf(VertexLayout layout) {
  return layout == VertexLayout::kModel ? kModelVertexStride : kLineVertexStride;
}

enum class Primitive : uint8_t { kTriangleList, kLineList };
constexpr uint32_t VerticesOf(Primitive primitive, uint32_t count) {
  return primitive == Primitive::kTriangleList ? 3 * count : 2 * count;
}

enum class TransformSlot : uint8_t { kWorld, kView, kProjection };

enum class RenderState : uint8_t {
  kDepthTest,         // bool
  kNormalizeNormals,  // bool
  kAlphaBlend,        // bool
  kSourceBlend,       // BlendFactor
  kDestBlend,         // BlendFactor
  kCullMode,          // CullMode
  kLighting,          // bool
  kAmbient,           // 0xAARRGGBB global ambient colour
  kShadeMode,         // ShadeMode
  kSpecular,          // bool
  kLocalViewer,       // bool: specular half-vector from the real eye direction
};
inline constexpr int kRenderStateCount = 11;

enum BlendFactor : uint32_t { kBlendZero, kBlendOne, kBlendSourceAlpha, kBlendInverseSourceAlpha };
// kCullCounterClockwise removes triangles whose corners run counter-clockwise on screen.
enum CullMode : uint32_t { kCullNone, kCullClockwise, kCullCounterClockwise };
enum ShadeMode : uint32_t { kShadeFlat, kShadeGouraud };

// How texture stage 0 makes the pixel's colour or alpha. Without a bound texture the texture
// reads as opaque white.
enum class TextureCombine : uint8_t { kDiffuse, kTexture, kTextureTimesDiffuse };
enum class TextureFilter : uint8_t { kPoint, kLinear };

// Light 0: a directional light. Only direction and the three colours act on directional
// lighting; the other fields are kept because they are part of the light as it is set.
struct DirectionalLight {
  ColorValue diffuse;
  ColorValue specular;
  ColorValue ambient;
  CVector position;
  CVector direction;  // the way the light travels, world space
  float range = 0;
  float falloff = 0;
  float attenuation0 = 0, attenuation1 = 0, attenuation2 = 0;
  float theta = 0, phi = 0;
};

// Every piece of fixed-function state, with the values a freshly created device starts from.
struct DeviceState {
  uint32_t renderStates[kRenderStateCount] = {
      1,                      // depth test
      0,                      // normalise normals
      0,                      // alpha blending
      kBlendOne,              // source blend
      kBlendZero,             // destination blend
      kCullCounterClockwise,  // cull mode
      1,                      // lighting
      0,                      // ambient
      kShadeGouraud,          // shade mode
      0,                      // specular
      1,                      // local viewer
  };
  TextureCombine colorCombine = TextureCombine::kTextureTimesDiffuse;
  TextureCombine alphaCombine = TextureCombine::kTexture;
  TextureFilter minFilter = TextureFilter::kPoint;
  TextureFilter magFilter = TextureFilter::kPoint;
  VertexLayout vertexLayout = VertexLayout::kModel;
  uint32_t streamBuffer = 0;
  uint32_t streamStride = 0;
  uint32_t texture = 0;
  Matrix4 transforms[3];
  DirectionalLight light;
  bool lightEnabled = false;
  MaterialLighting material;

  uint32_t Get(RenderState state) const { return renderStates[static_cast<int>(state)]; }
  const Matrix4& Transform(TransformSlot slot) const { return transforms[static_cast<int>(slot)]; }
};

struct BackBufferSize {
  int width = 0;
  int height = 0;
};

class RenderDevice {
 public:
  virtual ~RenderDevice() = default;

  // Resources. `vertices` holds vertexCount records of the layout's stride; textures take
  // width × height pixels 0xAARRGGBB, rows from the top.
  virtual uint32_t CreateVertexBuffer(VertexLayout layout, const void* vertices, uint32_t vertexCount) = 0;
  virtual void ReleaseVertexBuffer(uint32_t buffer) = 0;
  virtual uint32_t CreateTexture(int width, int height, const uint32_t* argb) = 0;
  virtual void ReleaseTexture(uint32_t texture) = 0;

  // Back buffer. Reset changes its size; false when the device could not follow.
  virtual bool Reset(int width, int height) = 0;
  virtual BackBufferSize GetBackBufferSize() const = 0;

  // Frame.
  virtual void Clear(bool target, uint32_t argb, bool depth, float z) = 0;
  virtual void BeginScene() = 0;
  virtual void EndScene() = 0;
  virtual bool Present() = 0;

  // State.
  virtual void SetRenderState(RenderState state, uint32_t value) = 0;
  virtual void SetTextureCombine(TextureCombine color, TextureCombine alpha) = 0;
  virtual void SetTextureFilter(TextureFilter min, TextureFilter mag) = 0;
  virtual void SetTransform(TransformSlot slot, const Matrix4& matrix) = 0;
  virtual Matrix4 GetTransform(TransformSlot slot) const = 0;
  virtual void SetLight(const DirectionalLight& light) = 0;
  virtual void LightEnable(bool enable) = 0;
  virtual void SetMaterial(const MaterialLighting& material) = 0;
  virtual void SetTexture(uint32_t texture) = 0;
  virtual void SetVertexLayout(VertexLayout layout) = 0;
  virtual void SetStreamSource(uint32_t buffer, uint32_t stride) = 0;

  // Drawing: `count` primitives (triangles or lines) from the stream source starting at
  // startVertex, or from caller memory with the current vertex layout.
  virtual void DrawPrimitive(Primitive primitive, uint32_t startVertex, uint32_t count) = 0;
  virtual void DrawPrimitiveUP(Primitive primitive, uint32_t count, const void* vertices, uint32_t stride) = 0;
};

}  // namespace qv
