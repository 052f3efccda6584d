#pragma once
// The binary buffer of a glTF asset with its buffer views and accessors.
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace qv {

inline constexpr int kGltfFloat = 5126;
inline constexpr int kGltfUnsignedShort = 5123;
inline constexpr int kGltfUnsignedInt = 5125;
inline constexpr int kGltfArrayBuffer = 34962;
inline constexpr int kGltfElementArrayBuffer = 34963;

class GltfBuffer {
 public:
  // Appends a buffer view of the bytes, starting on a 4-byte boundary. `target` 0 writes none.
  int AddView(const void* data, size_t size, int target);
  // Float accessor over a new view: `type` "SCALAR", "VEC2", "VEC3" or "VEC4", `values` holding
  // count times its width. With `bounds`, min and max per component are written.
  int AddFloats(const std::vector<float>& values, const char* type, int target, bool bounds);
  // Index accessor: 16-bit when every index fits, 32-bit otherwise.
  int AddIndices(const std::vector<uint32_t>& indices, uint32_t vertexCount);

  const std::vector<uint8_t>& bytes() const { return m_bytes; }
  nlohmann::json& views() { return m_views; }
  nlohmann::json& accessors() { return m_accessors; }

 private:
  std::vector<uint8_t> m_bytes;
  nlohmann::json m_views = nlohmann::json::array();
  nlohmann::json m_accessors = nlohmann::json::array();
};

}  // namespace qv
