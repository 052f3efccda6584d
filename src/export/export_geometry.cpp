#include "export/export_geometry.h"

#include <bit>
#include <cmath>

namespace qv {

std::vector<ExportVertex> g_exportVertices;
std::vector<int32_t> g_exportIndices;

namespace {

bool HasNaN(const ExportVertex& v) {
  return std::isnan(v.x) || std::isnan(v.y) || std::isnan(v.z) || std::isnan(v.nx) || std::isnan(v.ny) ||
         std::isnan(v.nz) || std::isnan(v.u) || std::isnan(v.v);
}

// Bits of a float for hashing: -0 hashes as +0, since the two compare equal.
uint64_t HashBits(float f) { return f == 0.0f ? 0u : std::bit_cast<uint32_t>(f); }

uint64_t Mix(uint64_t h, uint64_t value) {
  h ^= value + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
  return h * 0xFF51AFD7ED558CCDull;
}

uint64_t HashVertex(const ExportVertex& v) {
  uint64_t h = 0;
  h = Mix(h, HashBits(v.x) | (HashBits(v.y) << 32));
  h = Mix(h, HashBits(v.z) | (HashBits(v.nx) << 32));
  h = Mix(h, HashBits(v.ny) | (HashBits(v.nz) << 32));
  h = Mix(h, HashBits(v.u) | (HashBits(v.v) << 32));
  h = Mix(h, static_cast<uint32_t>(v.material) | (uint64_t{static_cast<uint32_t>(v.model)} << 32));
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  h ^= h >> 33;
  return h;
}

// Index of g_exportVertices by value, kept in step with the list: open addressing over entry
// numbers. Vertices holding a NaN equal nothing and are never entered. Only first occurrences
// are entered, so a lookup finds the entry a scan from the start would find.
class VertexIndex {
 public:
  // Brings the index up to date with the list (which may have been emptied or appended to).
  void Sync(const std::vector<ExportVertex>& list) {
    if (m_covered > list.size() || m_list != &list) Clear(&list);
    while (m_covered < list.size()) {
      const ExportVertex& v = list[m_covered];
      if (!HasNaN(v) && Find(v) < 0) Insert(v, static_cast<int32_t>(m_covered));
      ++m_covered;
    }
  }
  void Reserve(size_t count) {
    if ((count + m_count) * 2 > m_slots.size()) Rehash(std::bit_ceil((count + m_count) * 2));
  }
  // Position of the first equal entry, or -1.
  int32_t Find(const ExportVertex& v) const {
    if (m_slots.empty()) return -1;
    const size_t mask = m_slots.size() - 1;
    for (size_t i = HashVertex(v) & mask;; i = (i + 1) & mask) {
      const int32_t entry = m_slots[i];
      if (entry < 0) return -1;
      if ((*m_list)[entry].SameAs(v)) return entry;
    }
  }
  // Appends `v` to the list unless an equal entry exists; returns the entry to refer to.
  int32_t FindOrAppend(std::vector<ExportVertex>& list, const ExportVertex& v) {
    const bool enterable = !HasNaN(v);
    if (enterable) {
      const int32_t found = Find(v);
      if (found >= 0) return found;
    }
    const auto entry = static_cast<int32_t>(list.size());
    list.push_back(v);
    if (enterable) Insert(v, entry);
    m_covered = list.size();
    return entry;
  }

 private:
  void Clear(const std::vector<ExportVertex>* list) {
    m_list = list;
    m_slots.clear();
    m_count = 0;
    m_covered = 0;
  }
  void Insert(const ExportVertex& v, int32_t entry) {
    if ((m_count + 1) * 2 > m_slots.size()) Rehash(m_slots.empty() ? 1024 : m_slots.size() * 2);
    const size_t mask = m_slots.size() - 1;
    size_t i = HashVertex(v) & mask;
    while (m_slots[i] >= 0) i = (i + 1) & mask;
    m_slots[i] = entry;
    ++m_count;
  }
  void Rehash(size_t size) {
    std::vector<int32_t> old = std::move(m_slots);
    m_slots.assign(size, -1);
    const size_t mask = size - 1;
    for (int32_t entry : old) {
      if (entry < 0) continue;
      size_t i = HashVertex((*m_list)[entry]) & mask;
      while (m_slots[i] >= 0) i = (i + 1) & mask;
      m_slots[i] = entry;
    }
  }

  const std::vector<ExportVertex>* m_list = nullptr;
  std::vector<int32_t> m_slots;
  size_t m_count = 0;
  size_t m_covered = 0;
};

VertexIndex g_vertexIndex;

bool FaceIsExported(const CModel& model, const CFace& face) {
  const size_t corners = face.m_indices.size();
  if (corners != 3 && corners != 4) return false;
  for (int32_t v : face.m_indices)
    if (v < 0 || static_cast<size_t>(v) >= model.m_vertices.size()) return false;
  return true;
}

}  // namespace

void ClearExportGeometry() {
  g_exportVertices.clear();
  g_exportIndices.clear();
  // Give the memory back: a million-triangle export must not keep its lists alive forever.
  g_exportVertices.shrink_to_fit();
  g_exportIndices.shrink_to_fit();
  g_vertexIndex.Sync(g_exportVertices);
}

int32_t ExportMaterialIndex(int32_t material, size_t materialCount) {
  if (material >= 0 && static_cast<size_t>(material) < materialCount) return material;
  return materialCount == 0 ? 0 : static_cast<int32_t>(materialCount - 1);
}

bool AppendModelGeometry(const CModel& model, float scale, int32_t modelIndex, size_t materialCount) {
  g_vertexIndex.Sync(g_exportVertices);
  size_t corners = 0;
  for (const CFace& face : model.m_faces) corners += face.m_indices.size() == 4 ? 6 : 3;
  g_vertexIndex.Reserve(corners);
  g_exportIndices.reserve(g_exportIndices.size() + corners);

  static constexpr size_t kTriangleCorners[] = {0, 1, 2, 2, 3, 0};
  for (const CFace& face : model.m_faces) {
    if (!FaceIsExported(model, face)) continue;
    const size_t count = face.m_indices.size() == 3 ? 3 : 6;
    const int32_t material = ExportMaterialIndex(face.m_material, materialCount);
    for (size_t c = 0; c < count; ++c) {
      const size_t j = kTriangleCorners[c];
      const CVector& p = model.m_vertices[face.m_indices[j]];
      const CVector& n = j < face.m_cornerRecords.size() ? face.m_cornerRecords[j].m_normal : face.m_normal;
      const CUV uv = j < face.m_uvs.size() ? face.m_uvs[j] : CUV{};
      const ExportVertex vertex{p.x * scale, p.y * scale, p.z * scale, n.x, n.y, n.z, material, uv.u, uv.v, modelIndex};
      g_exportIndices.push_back(g_vertexIndex.FindOrAppend(g_exportVertices, vertex));
    }
  }
  return true;
}

}  // namespace qv
