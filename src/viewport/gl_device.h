#pragma once
// The OpenGL 3.3 core implementation of the drawing device. GL functions come through libepoxy,
// so the same code runs inside the desktop program's context and inside a surfaceless EGL
// context. The caller makes the context current before any call.
//
// Two kinds of target: kCurrentFramebuffer draws into whatever framebuffer is bound when the
// frame starts (the desktop widget's), kOffscreen owns a framebuffer of the back-buffer size
// that can be read back.
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/rgba_image.h"
#include "viewport/gl_framebuffer.h"
#include "viewport/render_device.h"

namespace qv {

class GlDevice final : public RenderDevice {
 public:
  enum class Target { kCurrentFramebuffer, kOffscreen };

  // Null (with a reason) without OpenGL 3.3 or when the program does not compile.
  static std::unique_ptr<GlDevice> Create(Target target, int width, int height, std::string* error = nullptr);
  ~GlDevice() override;

  // The offscreen picture after a frame; empty for kCurrentFramebuffer.
  RgbaImage ReadPixels() const;
  bool HasClipControl() const { return m_clipControl; }

  uint32_t CreateVertexBuffer(VertexLayout layout, const void* vertices, uint32_t vertexCount) override;
  void ReleaseVertexBuffer(uint32_t buffer) override;
  uint32_t CreateTexture(int width, int height, const uint32_t* argb) override;
  void ReleaseTexture(uint32_t texture) override;
  bool Reset(int width, int height) override;
  BackBufferSize GetBackBufferSize() const override { return m_size; }
  void Clear(bool target, uint32_t argb, bool depth, float z) override;
  void BeginScene() override;
  void EndScene() override;
  bool Present() override;
  void SetRenderState(RenderState state, uint32_t value) override;
  void SetTextureCombine(TextureCombine color, TextureCombine alpha) override;
  void SetTextureFilter(TextureFilter min, TextureFilter mag) override;
  void SetTransform(TransformSlot slot, const Matrix4& matrix) override;
  Matrix4 GetTransform(TransformSlot slot) const override { return m_state.Transform(slot); }
  void SetLight(const DirectionalLight& light) override;
  void LightEnable(bool enable) override;
  void SetMaterial(const MaterialLighting& material) override;
  void SetTexture(uint32_t texture) override;
  void SetVertexLayout(VertexLayout layout) override;
  void SetStreamSource(uint32_t buffer, uint32_t stride) override;
  void DrawPrimitive(Primitive primitive, uint32_t startVertex, uint32_t count) override;
  void DrawPrimitiveUP(Primitive primitive, uint32_t count, const void* vertices, uint32_t stride) override;

 private:
  GlDevice() = default;
  bool Init(Target target, int width, int height, std::string* error);
  void BindTarget();
  void ApplyPipelineState();
  void PrepareDraw(uint32_t buffer, uint32_t stride);
  void UploadUniforms();

  struct Uniforms;
  std::unique_ptr<Uniforms> m_uniforms;
  Target m_target = Target::kCurrentFramebuffer;
  GlFramebuffer m_framebuffer;
  BackBufferSize m_size;
  DeviceState m_state;
  bool m_clipControl = false;
  bool m_inScene = false;
  uint32_t m_program = 0;
  uint32_t m_vertexArray = 0;
  uint32_t m_streamBuffer = 0;  // caller-memory draws go through this one
  uint32_t m_sampler = 0;
  // Every vertex buffer made here (handle = its OpenGL name) with its index buffer.
  std::unordered_map<uint32_t, uint32_t> m_indexBuffers;
  // What the vertex array currently points at, to skip redundant attribute set-up.
  uint32_t m_attribBuffer = ~0u;
  VertexLayout m_attribLayout = VertexLayout::kModel;
  uint32_t m_attribStride = 0;
  // Which uniform groups changed since the last draw.
  bool m_dirtyMatrices = true;
  bool m_dirtyLight = true;
  bool m_dirtyMaterial = true;
  bool m_dirtyStates = true;
  // Saved around a frame so the host's context keeps its own conventions.
  int m_savedClipOrigin = 0;
  int m_savedClipDepth = 0;
  int m_savedProvoking = 0;
};

}  // namespace qv
