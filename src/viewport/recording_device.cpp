#include "viewport/recording_device.h"

#include <cstring>
#include <sstream>

namespace qv {

namespace {

const char* RenderStateName(RenderState state) {
  switch (state) {
    case RenderState::kDepthTest: return "DepthTest";
    case RenderState::kNormalizeNormals: return "NormalizeNormals";
    case RenderState::kAlphaBlend: return "AlphaBlend";
    case RenderState::kSourceBlend: return "SourceBlend";
    case RenderState::kDestBlend: return "DestBlend";
    case RenderState::kCullMode: return "CullMode";
    case RenderState::kLighting: return "Lighting";
    case RenderState::kAmbient: return "Ambient";
    case RenderState::kShadeMode: return "ShadeMode";
    case RenderState::kSpecular: return "Specular";
    case RenderState::kLocalViewer: return "LocalViewer";
  }
  return "?";
}

}  // namespace

const char* DeviceCallName(DeviceCall call) {
  switch (call) {
    case DeviceCall::kCreateVertexBuffer: return "CreateVertexBuffer";
    case DeviceCall::kReleaseVertexBuffer: return "ReleaseVertexBuffer";
    case DeviceCall::kCreateTexture: return "CreateTexture";
    case DeviceCall::kReleaseTexture: return "ReleaseTexture";
    case DeviceCall::kReset: return "Reset";
    case DeviceCall::kClear: return "Clear";
    case DeviceCall::kBeginScene: return "BeginScene";
    case DeviceCall::kEndScene: return "EndScene";
    case DeviceCall::kPresent: return "Present";
    case DeviceCall::kSetRenderState: return "SetRenderState";
    case DeviceCall::kSetTextureCombine: return "SetTextureCombine";
    case DeviceCall::kSetTextureFilter: return "SetTextureFilter";
    case DeviceCall::kSetTransform: return "SetTransform";
    case DeviceCall::kSetLight: return "SetLight";
    case DeviceCall::kLightEnable: return "LightEnable";
    case DeviceCall::kSetMaterial: return "SetMaterial";
    case DeviceCall::kSetTexture: return "SetTexture";
    case DeviceCall::kSetVertexLayout: return "SetVertexLayout";
    case DeviceCall::kSetStreamSource: return "SetStreamSource";
    case DeviceCall::kDrawPrimitive: return "DrawPrimitive";
    case DeviceCall::kDrawPrimitiveUP: return "DrawPrimitiveUP";
  }
  return "?";
}

RecordedCall& RecordingDevice::Log(DeviceCall call) {
  RecordedCall& entry = m_calls.emplace_back();
  entry.call = call;
  return entry;
}

std::vector<const RecordedCall*> RecordingDevice::CallsOf(DeviceCall call) const {
  std::vector<const RecordedCall*> found;
  for (const RecordedCall& entry : m_calls)
    if (entry.call == call) found.push_back(&entry);
  return found;
}

std::string RecordingDevice::Describe() const {
  std::ostringstream out;
  for (const RecordedCall& c : m_calls) {
    out << DeviceCallName(c.call);
    switch (c.call) {
      case DeviceCall::kSetRenderState: out << ' ' << RenderStateName(c.state) << ' ' << c.value; break;
      case DeviceCall::kSetTransform: out << ' ' << static_cast<int>(c.slot); break;
      case DeviceCall::kDrawPrimitive:
        out << (c.primitive == Primitive::kTriangleList ? " Triangles " : " Lines ") << c.startVertex << ' ' << c.count;
        break;
      case DeviceCall::kDrawPrimitiveUP:
        out << (c.primitive == Primitive::kTriangleList ? " Triangles " : " Lines ") << c.count;
        break;
      case DeviceCall::kSetTexture:
      case DeviceCall::kSetStreamSource:
      case DeviceCall::kLightEnable:
      case DeviceCall::kSetVertexLayout: out << ' ' << c.handle; break;
      case DeviceCall::kClear: out << (c.clearTarget ? " target" : "") << (c.clearDepth ? " depth" : ""); break;
      default: break;
    }
    out << '\n';
  }
  return out.str();
}

uint32_t RecordingDevice::CreateVertexBuffer(VertexLayout layout, const void* vertices, uint32_t vertexCount) {
  RecordedCall& entry = Log(DeviceCall::kCreateVertexBuffer);
  entry.count = vertexCount;
  if (m_failCreate || vertexCount == 0) return 0;
  const uint32_t handle = m_nextHandle++;
  Buffer buffer{layout, {}, vertexCount};
  buffer.bytes.resize(size_t{vertexCount} * StrideOf(layout));
  if (vertices) std::memcpy(buffer.bytes.data(), vertices, buffer.bytes.size());
  m_buffers[handle] = std::move(buffer);
  entry.handle = handle;
  return handle;
}

void RecordingDevice::ReleaseVertexBuffer(uint32_t buffer) {
  Log(DeviceCall::kReleaseVertexBuffer).handle = buffer;
  m_buffers.erase(buffer);
}

uint32_t RecordingDevice::CreateTexture(int width, int height, const uint32_t* argb) {
  RecordedCall& entry = Log(DeviceCall::kCreateTexture);
  if (m_failCreate || width <= 0 || height <= 0) return 0;
  const uint32_t handle = m_nextHandle++;
  m_textures[handle] = Texture{width, height, std::vector<uint32_t>(argb, argb + size_t(width) * height)};
  entry.handle = handle;
  return handle;
}

void RecordingDevice::ReleaseTexture(uint32_t texture) {
  Log(DeviceCall::kReleaseTexture).handle = texture;
  m_textures.erase(texture);
}

bool RecordingDevice::Reset(int width, int height) {
  RecordedCall& entry = Log(DeviceCall::kReset);
  entry.startVertex = static_cast<uint32_t>(width);
  entry.count = static_cast<uint32_t>(height);
  if (m_failReset) return false;
  m_size = {width, height};
  return true;
}

void RecordingDevice::Clear(bool target, uint32_t argb, bool depth, float z) {
  RecordedCall& entry = Log(DeviceCall::kClear);
  entry.clearTarget = target;
  entry.clearDepth = depth;
  entry.value = argb;
  entry.clearZ = z;
}

void RecordingDevice::BeginScene() { Log(DeviceCall::kBeginScene); }
void RecordingDevice::EndScene() { Log(DeviceCall::kEndScene); }

bool RecordingDevice::Present() {
  Log(DeviceCall::kPresent);
  return !m_failPresent;
}

void RecordingDevice::SetRenderState(RenderState state, uint32_t value) {
  RecordedCall& entry = Log(DeviceCall::kSetRenderState);
  entry.state = state;
  entry.value = value;
  m_state.renderStates[static_cast<int>(state)] = value;
}

void RecordingDevice::SetTextureCombine(TextureCombine color, TextureCombine alpha) {
  Log(DeviceCall::kSetTextureCombine);
  m_state.colorCombine = color;
  m_state.alphaCombine = alpha;
}

void RecordingDevice::SetTextureFilter(TextureFilter min, TextureFilter mag) {
  Log(DeviceCall::kSetTextureFilter);
  m_state.minFilter = min;
  m_state.magFilter = mag;
}

void RecordingDevice::SetTransform(TransformSlot slot, const Matrix4& matrix) {
  RecordedCall& entry = Log(DeviceCall::kSetTransform);
  entry.slot = slot;
  entry.matrix = matrix;
  m_state.transforms[static_cast<int>(slot)] = matrix;
}

void RecordingDevice::SetLight(const DirectionalLight& light) {
  Log(DeviceCall::kSetLight);
  m_state.light = light;
}

void RecordingDevice::LightEnable(bool enable) {
  Log(DeviceCall::kLightEnable).handle = enable ? 1 : 0;
  m_state.lightEnabled = enable;
}

void RecordingDevice::SetMaterial(const MaterialLighting& material) {
  Log(DeviceCall::kSetMaterial);
  m_state.material = material;
}

void RecordingDevice::SetTexture(uint32_t texture) {
  Log(DeviceCall::kSetTexture).handle = texture;
  m_state.texture = texture;
}

void RecordingDevice::SetVertexLayout(VertexLayout layout) {
  Log(DeviceCall::kSetVertexLayout).handle = static_cast<uint32_t>(layout);
  m_state.vertexLayout = layout;
}

void RecordingDevice::SetStreamSource(uint32_t buffer, uint32_t stride) {
  RecordedCall& entry = Log(DeviceCall::kSetStreamSource);
  entry.handle = buffer;
  entry.value = stride;
  m_state.streamBuffer = buffer;
  m_state.streamStride = stride;
}

void RecordingDevice::DrawPrimitive(Primitive primitive, uint32_t startVertex, uint32_t count) {
  RecordedCall& entry = Log(DeviceCall::kDrawPrimitive);
  entry.primitive = primitive;
  entry.startVertex = startVertex;
  entry.count = count;
  entry.snapshot = m_state;
}

void RecordingDevice::DrawPrimitiveUP(Primitive primitive, uint32_t count, const void* vertices, uint32_t stride) {
  RecordedCall& entry = Log(DeviceCall::kDrawPrimitiveUP);
  entry.primitive = primitive;
  entry.count = count;
  entry.value = stride;
  entry.snapshot = m_state;
  const auto* bytes = static_cast<const uint8_t*>(vertices);
  entry.userVertices.assign(bytes, bytes + size_t{VerticesOf(primitive, count)} * stride);
}

}  // namespace qv
