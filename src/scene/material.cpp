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

#include "scene/archive.h"

namespace qv {

void CMaterial::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteInt32(m_number);
    ar.WriteString(m_name);
    for (float c : m_color) ar.WriteFloat(c);
    ar.WriteFloat(m_diffuse);
    ar.WriteFloat(m_ambient);
    ar.WriteFloat(m_emissive);
    ar.WriteFloat(m_specular);
    ar.WriteFloat(m_power);
    ar.WriteString(m_texture);
    ar.WriteString(m_alphaPlane);
    ar.WriteString(m_bump);
  } else {
    m_number = ar.ReadInt32();
    m_name = ar.ReadString();
    for (float& c : m_color) c = ar.ReadFloat();
    m_diffuse = ar.ReadFloat();
    m_ambient = ar.ReadFloat();
    m_emissive = ar.ReadFloat();
    m_specular = ar.ReadFloat();
    m_power = ar.ReadFloat();
    m_texture = ar.ReadString();
    m_alphaPlane = ar.ReadString();
    m_bump = ar.ReadString();
  }
}

}  // namespace qv
