#include "export/export_geometry.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <unordered_set>

#include "scene/scene.h"

namespace qv {


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

// Spreads every input bit over the low bits that pick a table slot.
uint64_t Finish(uint64_t h) {
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  h ^= h >> 33;
  return h;
}

uint64_t HashVertex(const ExportVertex& v) {
  uint64_t h = 0;
  h = Mix(h, HashBits(v.x) | (HashBits(v.y) << 32));
  h = Mix(h, HashBits(v.z) | (HashBits(v.nx) << 32));
  h = Mix(h, HashBits(v.ny) | (HashBits(v.nz) << 32));
  h = Mix(h, HashBits(v.u) | (HashBits(v.v) << 32));
  h = Mix(h, static_cast<uint32_t>(v.material) | (uint64_t{static_cast<uint32_t>(v.model)} << 32));
  return Finish(h);
}

// Open-addressing table of list entries keyed by all ten values. A slot holds the entry number in
// its low half and the upper half of the entry's hash above, so most mismatches are told without
// reading the vertex.
class EntryTable {
 public:
  void Clear() {
    m_slots.clear();
    m_count = 0;
  }
  int32_t Find(const std::vector<ExportVertex>& list, const ExportVertex& v, uint64_t hash) const {
    if (m_slots.empty()) return -1;
    const size_t mask = m_slots.size() - 1;
    const uint64_t tag = hash >> 32;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
      const uint64_t slot = m_slots[i];
      if (slot == kEmpty) return -1;
      const auto entry = static_cast<int32_t>(slot & 0xFFFFFFFFu);
      if ((slot >> 32) == tag && list[entry].SameAs(v)) return entry;
    }
  }
  // Enters `entry` unless an equal one is in already.
  void InsertFirst(const std::vector<ExportVertex>& list, int32_t entry) {
    const uint64_t hash = HashVertex(list[entry]);
    if (Find(list, list[entry], hash) >= 0) return;
    if ((m_count + 1) * 2 > m_slots.size()) Grow(list);
    Place(hash, entry);
    ++m_count;
  }

 private:
  static constexpr uint64_t kEmpty = ~uint64_t{0};

  void Place(uint64_t hash, int32_t entry) {
    const size_t mask = m_slots.size() - 1;
    size_t i = hash & mask;
    while (m_slots[i] != kEmpty) i = (i + 1) & mask;
    m_slots[i] = ((hash >> 32) << 32) | static_cast<uint32_t>(entry);
  }
  void Grow(const std::vector<ExportVertex>& list) {
    std::vector<uint64_t> old = std::move(m_slots);
    m_slots.assign(old.empty() ? 64 : old.size() * 2, kEmpty);
    for (uint64_t slot : old) {
      if (slot == kEmpty) continue;
      const auto entry = static_cast<int32_t>(slot & 0xFFFFFFFFu);
      Place(HashVertex(list[entry]), entry);
    }
  }

  std::vector<uint64_t> m_slots;
  size_t m_count = 0;
};

// Finds vertices of an export mesh by value while one model's corners are appended, in time
// linear in the corners and with the cache-friendly access of the faces' own vertex order.
//
// Vertices of different models never compare equal (the model index is one of the ten values),
// so only the current model's entries are looked at. Equal vertices have equal positions, so the
// model's vertices are first grouped by position (each vertex names the first vertex of the
// model at the same scaled position), and every entry goes into the chain of its position, in
// list order. A lookup walks that short chain. A chain that grows long (many normals or texture
// coordinates at one point) moves into a hash table of all ten values, so no lookup ever walks
// far. Entries the list already held for the same model index (the model appended twice, or a
// list filled by other code) are chained first. Together a lookup finds exactly the first equal
// entry, as a scan of the list from its start would. Vertices holding a NaN equal nothing and are
// never chained.
class VertexIndex {
 public:
  void Begin(const std::vector<ExportVertex>& list, const CModel& model, float scale, int32_t modelIndex) {
    SyncModels(list);
    m_list = &list;
    GroupPositions(model, scale);
    m_nodes.clear();
    m_overflow.Clear();
    if (m_models.count(modelIndex)) {
      for (size_t i = 0; i < list.size(); ++i) {
        const ExportVertex& v = list[i];
        if (v.model != modelIndex || HasNaN(v)) continue;
        const int32_t group = FindPosition(model, scale, {v.x, v.y, v.z});
        if (group >= 0) Chain(group, static_cast<int32_t>(i));
      }
    }
  }

  // The first equal entry of the list, or `v` (a corner of vertex `vertex`) appended.
  int32_t FindOrAppend(std::vector<ExportVertex>& list, const ExportVertex& v, int32_t vertex) {
    const bool chained = !HasNaN(v);
    const int32_t group = chained ? m_groupOf[vertex] : -1;
    if (chained) {
      const Group& g = m_groups[group];
      if (g.length == kOverflowed) {
        const int32_t found = m_overflow.Find(list, v, HashVertex(v));
        if (found >= 0) return found;
      } else {
        for (int32_t n = g.head; n >= 0; n = m_nodes[n].next)
          if (list[m_nodes[n].entry].SameAs(v)) return m_nodes[n].entry;
      }
    }
    const auto entry = static_cast<int32_t>(list.size());
    list.push_back(v);
    if (chained) Chain(group, entry);
    return entry;
  }

  void End(const std::vector<ExportVertex>& list, int32_t modelIndex) {
    if (m_covered < list.size()) m_models.insert(modelIndex);
    m_covered = list.size();
    // A big mesh's tables go; a small one's storage is kept for the next model.
    if (m_groups.size() > kKeptSize) {
      std::vector<Group>().swap(m_groups);
      std::vector<int32_t>().swap(m_groupOf);
      std::vector<int32_t>().swap(m_positionSlots);
      std::vector<Node>().swap(m_nodes);
    }
    m_overflow.Clear();
  }

 private:
  static constexpr int32_t kOverflowed = -1;
  static constexpr int32_t kLongChain = 16;
  static constexpr size_t kKeptSize = size_t{1} << 16;

  struct Group {
    int32_t head = -1, tail = -1;  // nodes
    int32_t length = 0;            // kOverflowed once the chain went to m_overflow
  };
  struct Node {
    int32_t entry;
    int32_t next;
  };

  static CVector Scaled(const CModel& model, size_t v, float scale) {
    const CVector& p = model.m_vertices[v];
    return {p.x * scale, p.y * scale, p.z * scale};
  }
  static uint64_t HashPosition(const CVector& p) {
    return Finish(Mix(Mix(0, HashBits(p.x) | (HashBits(p.y) << 32)), HashBits(p.z)));
  }

  // m_groupOf[v]: the first vertex with the same scaled position as v (-1 for a NaN position).
  void GroupPositions(const CModel& model, float scale) {
    const size_t count = model.m_vertices.size();
    m_groupOf.assign(count, -1);
    m_groups.assign(count, Group{});
    m_positionSlots.assign(std::bit_ceil(std::max<size_t>(count * 2, 16)), -1);
    const size_t mask = m_positionSlots.size() - 1;
    for (size_t v = 0; v < count; ++v) {
      const CVector p = Scaled(model, v, scale);
      if (std::isnan(p.x) || std::isnan(p.y) || std::isnan(p.z)) continue;
      size_t i = HashPosition(p) & mask;
      for (;; i = (i + 1) & mask) {
        const int32_t other = m_positionSlots[i];
        if (other < 0) {
          m_positionSlots[i] = static_cast<int32_t>(v);
          m_groupOf[v] = static_cast<int32_t>(v);
          break;
        }
        if (Scaled(model, static_cast<size_t>(other), scale) == p) {
          m_groupOf[v] = other;
          break;
        }
      }
    }
  }
  // The group of a position, or -1 when no vertex of the model lies there.
  int32_t FindPosition(const CModel& model, float scale, const CVector& p) const {
    const size_t mask = m_positionSlots.size() - 1;
    for (size_t i = HashPosition(p) & mask;; i = (i + 1) & mask) {
      const int32_t other = m_positionSlots[i];
      if (other < 0) return -1;
      if (Scaled(model, static_cast<size_t>(other), scale) == p) return other;
    }
  }

  void Chain(int32_t group, int32_t entry) {
    Group& g = m_groups[group];
    if (g.length == kOverflowed) {
      m_overflow.InsertFirst(*m_list, entry);
      return;
    }
    if (g.length == kLongChain) {
      for (int32_t n = g.head; n >= 0; n = m_nodes[n].next) m_overflow.InsertFirst(*m_list, m_nodes[n].entry);
      m_overflow.InsertFirst(*m_list, entry);
      g.length = kOverflowed;
      return;
    }
    const auto node = static_cast<int32_t>(m_nodes.size());
    m_nodes.push_back({entry, -1});
    if (g.tail >= 0)
      m_nodes[g.tail].next = node;
    else
      g.head = node;
    g.tail = node;
    ++g.length;
  }

  // Keeps the set of model indices present in the list in step with the list.
  void SyncModels(const std::vector<ExportVertex>& list) {
    if (m_covered > list.size() || m_list != &list) {
      m_models.clear();
      m_covered = 0;
    }
    for (; m_covered < list.size(); ++m_covered) m_models.insert(list[m_covered].model);
  }

  const std::vector<ExportVertex>* m_list = nullptr;
  std::vector<int32_t> m_groupOf;
  std::vector<Group> m_groups;
  std::vector<int32_t> m_positionSlots;
  std::vector<Node> m_nodes;
  EntryTable m_overflow;
  size_t m_covered = 0;                  // entries of the list whose model is in m_models
  std::unordered_set<int32_t> m_models;  // model indices present in the list
};


bool FaceIsExported(const CModel& model, const CFace& face) {
  const size_t corners = face.m_indices.size();
  if (corners != 3 && corners != 4) return false;
  for (int32_t v : face.m_indices)
    if (v < 0 || static_cast<size_t>(v) >= model.m_vertices.size()) return false;
  return true;
}

}  // namespace

class ExportMesh::Search : public VertexIndex {};

ExportMesh::ExportMesh() : search_(std::make_unique<Search>()) {}
ExportMesh::~ExportMesh() = default;

int32_t ExportMaterialIndex(int32_t material, size_t materialCount) {
  if (material >= 0 && static_cast<size_t>(material) < materialCount) return material;
  return materialCount == 0 ? 0 : static_cast<int32_t>(materialCount - 1);
}

bool AppendModelGeometry(ExportMesh& mesh, const CModel& model, float scale, int32_t modelIndex,
                         size_t materialCount) {
  VertexIndex& search = *mesh.search_;
  size_t corners = 0;
  for (const CFace& face : model.m_faces) corners += face.m_indices.size() == 4 ? 6 : 3;
  search.Begin(mesh.vertices, model, scale, modelIndex);
  // Grow geometrically: an exact reserve per model would copy the list once per model.
  if (const size_t needed = mesh.indices.size() + corners; needed > mesh.indices.capacity())
    mesh.indices.reserve(std::max(needed, mesh.indices.capacity() * 2));

  static constexpr size_t kTriangleCorners[] = {0, 1, 2, 2, 3, 0};
  for (size_t f = 0; f < model.m_faces.size(); ++f) {
    const CFace& face = model.m_faces[f];
    if (!FaceIsExported(model, face)) continue;
    const size_t count = face.m_indices.size() == 3 ? 3 : 6;
    const int32_t material = ExportMaterialIndex(face.m_material, materialCount);
    for (size_t c = 0; c < count; ++c) {
      const size_t j = kTriangleCorners[c];
      const CVector& p = model.m_vertices[face.m_indices[j]];
      const CVector n = model.m_cornerRecords.NormalOr(f, j, face.m_normal);
      const CUV uv = j < face.m_uvs.size() ? face.m_uvs[j] : CUV{};
      const ExportVertex vertex{p.x * scale, p.y * scale, p.z * scale, n.x, n.y, n.z, material, uv.u, uv.v, modelIndex};
      mesh.indices.push_back(search.FindOrAppend(mesh.vertices, vertex, face.m_indices[j]));
    }
  }
  search.End(mesh.vertices, modelIndex);
  return true;
}

void BuildExportMesh(const Scene& scene, float scale, ExportMesh& mesh) {
  const size_t materialCount = scene.m_materials.size();
  for (size_t i = 0; i < scene.m_models.size(); ++i)
    AppendModelGeometry(mesh, scene.m_models[i], scale, static_cast<int32_t>(i), materialCount);
}

}  // namespace qv
