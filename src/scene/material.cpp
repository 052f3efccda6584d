#include "scene/material.h"

namespace qv {

CMaterial::CMaterial() { UpdateLighting(*this); }

void UpdateLighting(CMaterial& material) {
  const float r = material.m_color[0], g = material.m_color[1], b = material.m_color[2];
  const float a = material.m_color[3];
  MaterialLighting& l = material.m_lighting;
  l.diffuse = {r * material.m_diffuse, g * material.m_diffuse, b * material.m_diffuse, a};
  l.ambient = {r * material.m_ambient, g * material.m_ambient, b * material.m_ambient, a};
  l.specular = {material.m_specular, material.m_specular, material.m_specular, a};
  l.emissive = {r * material.m_emissive, g * material.m_emissive, b * material.m_emissive, a};
  l.power = material.m_power;
}

void UpdateLightingOfAllMaterials(std::vector<CMaterial>& materials) {
  for (CMaterial& m : materials) UpdateLighting(m);
}

}  // namespace qv
