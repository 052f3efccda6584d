#pragma once
// A device that draws nothing and remembers everything: each call is logged in order, draws
// carry a copy of the whole state they were made with, and buffers and textures keep what
// was uploaded. Tests read the log to check what a frame did and in which order.
#include <map>
#include <string>
#include <vector>

#include "viewport/render_device.h"

namespace qv {

enum class DeviceCall : uint8_t {
  kCreateVertexBuffer,
  kReleaseVertexBuffer,
  kCreateTexture,
  kReleaseTexture,
  kReset,
  kClear,
  kBeginScene,
  kEndScene,
  kPresent,
  kSetRenderState,
  kSetTextureCombine,
  kSetTextureFilter,
  kSetTransform,
  kSetLight,
  kLightEnable,
  kSetMaterial,
  kSetTexture,
  kSetVertexLayout,
  kSetStreamSource,
  kDrawPrimitive,
  kDrawPrimitiveUP,
};

const char* DeviceCallName(DeviceCall call);

struct RecordedCall {
  DeviceCall call;
  // Call arguments, by call: handle or render state and value, clear flags, draw primitive,
  // start vertex and count. Unused fields stay 0.
  uint32_t handle = 0;
  RenderState state = RenderState::kDepthTest;
  uint32_t value = 0;
  bool clearTarget = false;
  bool clearDepth = false;
  float clearZ = 0;
  Primitive primitive = Primitive::kTriangleList;
  uint32_t startVertex = 0;
  uint32_t count = 0;
  TransformSlot slot = TransformSlot::kWorld;
  Matrix4 matrix;
  // For draws: the state the draw was made with; for DrawPrimitiveUP also the vertices.
  DeviceState snapshot;
  std::vector<uint8_t> userVertices;
};

class RecordingDevice final : public RenderDevice {
 public:
  explicit RecordingDevice(int width = 800, int height = 600) : m_size{width, height} {}

  std::vector<RecordedCall> m_calls;
  DeviceState m_state;
  bool m_failPresent = false;  // makes Present report a lost device
  bool m_failReset = false;    // makes Reset fail
  bool m_failCreate = false;   // makes resource creation fail

  struct Buffer {
    VertexLayout layout;
    std::vector<uint8_t> bytes;
    uint32_t vertexCount;
  };
  struct Texture {
    int width;
    int height;
    std::vector<uint32_t> pixels;
  };
  std::map<uint32_t, Buffer> m_buffers;
  std::map<uint32_t, Texture> m_textures;

  void ClearLog() { m_calls.clear(); }
  // Calls of one kind, in order.
  std::vector<const RecordedCall*> CallsOf(DeviceCall call) const;
  // One line per call ("SetRenderState Lighting 0", "DrawPrimitive Triangles 0 12", ...).
  std::string Describe() const;

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
  RecordedCall& Log(DeviceCall call);
  BackBufferSize m_size;
  uint32_t m_nextHandle = 1;
};

}  // namespace qv
