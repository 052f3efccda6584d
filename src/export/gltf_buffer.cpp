#include "export/gltf_buffer.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace qv {

int GltfBuffer::AddView(const void* data, size_t size, int target) {
  while (m_bytes.size() % 4 != 0) m_bytes.push_back(0);
  const size_t offset = m_bytes.size();
  m_bytes.resize(offset + size);
  if (size) std::memcpy(m_bytes.data() + offset, data, size);
  nlohmann::json view{{"buffer", 0}, {"byteLength", size}};
  if (offset) view["byteOffset"] = offset;
  if (target) view["target"] = target;
  m_views.push_back(std::move(view));
  return static_cast<int>(m_views.size()) - 1;
}

int GltfBuffer::AddFloats(const std::vector<float>& values, const char* type, int target, bool bounds) {
  const std::string kind = type;
  const size_t width = kind == "SCALAR" ? 1 : kind == "VEC2" ? 2 : kind == "VEC3" ? 3 : 4;
  const int view = AddView(values.data(), values.size() * sizeof(float), target);
  nlohmann::json accessor{
      {"bufferView", view}, {"componentType", kGltfFloat}, {"count", values.size() / width}, {"type", kind}};
  if (bounds) {
    std::vector<float> low(width, std::numeric_limits<float>::max());
    std::vector<float> high(width, std::numeric_limits<float>::lowest());
    for (size_t i = 0; i < values.size(); ++i) {
      low[i % width] = std::min(low[i % width], values[i]);
      high[i % width] = std::max(high[i % width], values[i]);
    }
    accessor["min"] = low;
    accessor["max"] = high;
  }
  m_accessors.push_back(std::move(accessor));
  return static_cast<int>(m_accessors.size()) - 1;
}

int GltfBuffer::AddIndices(const std::vector<uint32_t>& indices, uint32_t vertexCount) {
  // 65535 is the primitive-restart value of 16-bit indices: it never names a vertex.
  const bool narrow = vertexCount <= 65535;
  int view;
  if (narrow) {
    std::vector<uint16_t> shorts(indices.begin(), indices.end());
    view = AddView(shorts.data(), shorts.size() * sizeof(uint16_t), kGltfElementArrayBuffer);
  } else {
    view = AddView(indices.data(), indices.size() * sizeof(uint32_t), kGltfElementArrayBuffer);
  }
  nlohmann::json accessor{{"bufferView", view},
                          {"componentType", narrow ? kGltfUnsignedShort : kGltfUnsignedInt},
                          {"count", indices.size()},
                          {"type", "SCALAR"}};
  m_accessors.push_back(std::move(accessor));
  return static_cast<int>(m_accessors.size()) - 1;
}

}  // namespace qv
