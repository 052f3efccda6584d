#pragma once
#include <cstdint>
#include <string>
#include <memory>
#include <vector>

#include "scene/vector.h"

namespace qv {

struct ColorValue {
  float r = 0, g = 0, b = 0, a = 0;
  bool operator==(const ColorValue&) const = default;
};

// Fixed-function lighting material derived from a CMaterial's factors.
struct MaterialLighting {
  ColorValue diffuse;
  ColorValue ambient;
  ColorValue specular;
  ColorValue emissive;
  float power = 0;
};

// Decoded texture: 32-bit A8R8G8B8 pixels (0xAARRGGBB), rows top to bottom.
struct TextureImage {
  int width = 0;
  int height = 0;
  // Rows from the top, 0xAARRGGBB. Shared by every material that names the same file, which is
  // decoded once.
  std::shared_ptr<const std::vector<uint32_t>> pixels;
  bool empty() const { return !pixels || pixels->empty(); }
  const uint32_t* data() const { return pixels ? pixels->data() : nullptr; }
  size_t size() const { return pixels ? pixels->size() : 0; }
};

struct CMaterial {
  int32_t m_number = 0;
  std::string m_name = "Material";  // code page 932 bytes
  float m_color[4] = {0.8f, 0.8f, 0.8f, 1.0f};  // red, green, blue, alpha
  int32_t m_shader = 0;
  float m_diffuse = 1.0f;
  float m_ambient = 0.25f;
  float m_emissive = 0.0f;
  float m_specular = 0.0f;
  float m_power = 5.0f;
  std::string m_texture;     // texture image file name
  std::string m_alphaPlane;  // stored and copied only
  std::string m_bump;        // stored and copied only

  // Derived, never stored.
  MaterialLighting m_lighting;
  TextureImage m_image;        // decoded texture, empty when none or not found
  uint32_t m_textureHandle = 0;  // GPU texture owned by the viewport, 0 = none

  CMaterial();
  void Serialize(CArchive& ar);
};

// Derives m_lighting from the colour and the factors.
void UpdateLighting(CMaterial& material);
void UpdateLightingOfAllMaterials(std::vector<CMaterial>& materials);

}  // namespace qv
