#include "geometry/mqo_loader.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <utility>

#include "geometry/ngon_triangulation.h"
#include "geometry/normals.h"
#include "animation/track_fit.h"
#include "scene/limits.h"
#include "scene/scene.h"

namespace qv {

namespace {

[[noreturn]] void Fail(int32_t code) { throw MqoParseError{code}; }

int32_t SaturatingAdd(int32_t a, int32_t b) {
  const int64_t sum = int64_t{a} + b;
  return static_cast<int32_t>(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

float LittleEndianFloat(const unsigned char* p) {
  const uint32_t bits = uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
  return std::bit_cast<float>(bits);
}

// One mirror round over `axis` (0 x, 1 y, 2 z): every vertex gets a copy with that coordinate
// negated, every face a mirrored copy on the copied vertices with its winding reversed.
void MirrorRound(CModel& model, int axis) {
  const size_t v = model.m_vertices.size();
  const size_t f = model.m_faces.size();
  if (model.m_vertices.capacity() < 2 * v) model.m_vertices.reserve(2 * v);
  for (size_t i = 0; i < v; ++i) {
    CVector copy = model.m_vertices[i];
    (axis == 0 ? copy.x : axis == 1 ? copy.y : copy.z) *= -1.0f;
    model.m_vertices.push_back(copy);
  }
  if (model.m_faces.capacity() < 2 * f) model.m_faces.reserve(2 * f);
  for (size_t j = 0; j < f; ++j) {
    const CFace& original = model.m_faces[j];
    CFace mirrored;
    mirrored.m_material = original.m_material;
    mirrored.m_normal = original.m_normal;
    mirrored.m_indices.assign(original.m_indices.rbegin(), original.m_indices.rend());
    for (int32_t& index : mirrored.m_indices) index += static_cast<int32_t>(v);
    mirrored.m_uvs.assign(original.m_uvs.rbegin(), original.m_uvs.rend());
    model.m_faces.push_back(std::move(mirrored));
  }
}

}  // namespace

const char* MqoResultText(int32_t code) {
  switch (code) {
    case kMqoOk: return "success";
    case kMqoSyntaxError: return "syntax error";
    case kMqoUnexpectedEnd: return "unexpected end of file";
    case kMqoNotMetasequoia: return "not a Metasequoia document";
    case kMqoUnsupportedVersion: return "unsupported format or version";
    case kMqoLineTooLong: return "line too long";
    case kMqoTooLarge:
      return "too large for a logo (more than 10000 objects, 1000000 faces or 1000000 vertices)";
    case kMqoTooManyPoses:
      return "the document would hold more than 10000000 poses (models x frames x animations); nothing was imported";
    case kMqoTooManyMaterials: return "the document would hold more than 10000 materials; nothing was imported";
    default: return "unknown error";
  }
}

MqoLoader::MqoLoader(Scene& scene, std::FILE* file, int32_t materialBase)
    : m_scene(&scene), m_file(file), m_reader(std::make_unique<AsciiFileString>(file)), m_materialBase(materialBase) {}

int32_t MqoLoader::ReadLine() {
  const int32_t n = m_reader->ReadLine();
  if (n < 0 && m_reader->LineTooLong()) Fail(kMqoLineTooLong);
  return n;
}

int32_t MqoLoader::ReadLineInChunk() {
  const int32_t n = ReadLine();
  if (n < 0) Fail(kMqoUnexpectedEnd);
  return n;
}

int32_t MqoLoader::Load() {
  const int32_t header = ReadHeader();
  return header == kMqoOk ? ReadBody() : header;
}

int32_t MqoLoader::ReadHeader() {
  AsciiFileString& t = *m_reader;
  try {
    ReadLine();
    if (!t.IsKeyword("Metasequoia", 2) || !t.TokenIs(1, "Document")) return kMqoNotMetasequoia;
    ReadLine();
    if (!t.IsKeyword("Format", 4) || !t.TokenIs(1, "Text") || !t.TokenIs(2, "Ver")) return kMqoUnsupportedVersion;
    const double version = t.TokenFloat(3);
    if (version != 1.0 && version != 1.1) return kMqoUnsupportedVersion;
    return kMqoOk;
  } catch (const MqoParseError& error) {
    return error.code;
  }
}

int32_t MqoLoader::ReadBody() {
  AsciiFileString& t = *m_reader;
  try {
    for (;;) {
      const int32_t n = ReadLine();
      if (n < 0) return kMqoOk;
      if (n == 0) continue;
      if (t.IsKeyword("Material", 2)) {
        if (!t.TokenIs(n - 1, "{")) return kMqoSyntaxError;
        ReadMaterialChunk();
      } else if (t.IsKeyword("Object", 2)) {
        if (!t.TokenIs(n - 1, "{")) return kMqoSyntaxError;
        CModel model;
        if (n >= 3) model.m_name = t.Token(1);
        bool read;
        try {
          read = ReadObjectChunk(model);
        } catch (const MqoParseError& error) {
          // What was read of the object stays when it is a usable model.
          if (error.code != kMqoTooLarge) AddObject(std::move(model));
          throw;
        }
        AddObject(std::move(model));
        if (!read) return kMqoSyntaxError;
      } else {
        SkipChunk(n);
      }
    }
  } catch (const MqoParseError& error) {
    return error.code;
  }
}

void MqoLoader::AddObject(CModel&& model) {
  std::vector<CFace> faces = std::move(model.m_faces);
  model.m_faces.clear();
  if (!FinishObject(model, std::move(faces))) return;  // no id consumed
  if (++m_objectsAdded > kMaxImportObjects) Fail(kMqoTooLarge);
  // Each object gets a pose per frame: refused before its tracks are made.
  if (m_posesBefore < 0) {
    m_posesBefore = FittedPoseCount(*m_scene, m_scene->m_animationCount, m_scene->m_lastFrame);
    m_posesPerObject = FittedPoseCount(*m_scene, m_scene->m_animationCount, m_scene->m_lastFrame, 1) - m_posesBefore;
  }
  if (m_posesBefore + m_objectsAdded * m_posesPerObject > kMaxStoredPoses) Fail(kMqoTooManyPoses);
  m_facesAdded += static_cast<int64_t>(model.m_faces.size());
  m_verticesAdded += static_cast<int64_t>(model.m_vertices.size());
  model.m_id = m_scene->TakeModelId();
  model.m_parent = m_parent;
  RebuildSmoothingRecords(model);
  FitFrames(*m_scene, model, 0);
  m_scene->m_models.push_back(std::move(model));
}

void MqoLoader::ReadMaterialChunk() {
  AsciiFileString& t = *m_reader;
  for (;;) {
    const int32_t n = ReadLineInChunk();
    if (n == 0) continue;
    if (t.TokenIs(0, "}")) return;
    // Counted before the line is read (and its texture decoded).
    if (static_cast<int64_t>(m_scene->m_materials.size()) >= kMaxSceneMaterials) Fail(kMqoTooManyMaterials);

    CMaterial material;
    material.m_name = t.Token(0);
    // Each attribute is a name and a parenthesised list; a name only matches when the line has
    // the tokens its shape needs. A parenthesis out of place ends the line's attributes.
    int32_t i = 1;
    auto shaped = [&](const char* name, int32_t size) { return t.TokenIs(i, name) && n >= i + size; };
    auto parens = [&](int32_t close) { return t.TokenIs(i + 1, "(") && t.TokenIs(i + close, ")"); };
    auto number = [&](float& field) {
      if (!parens(3)) return false;
      field = static_cast<float>(t.TokenFloat(i + 2));
      i += 4;
      return true;
    };
    auto text = [&](std::string& field) {
      if (!parens(3)) return false;
      field = t.Token(i + 2);
      i += 4;
      return true;
    };
    while (i < n) {
      bool ok;
      if (shaped("shader", 4)) {
        ok = parens(3);
        if (ok) {
          material.m_shader = t.TokenInt(i + 2);
          i += 4;
        }
      } else if (shaped("dbls", 4) || shaped("uid", 4)) {
        ok = parens(3);
        if (ok) i += 4;
      } else if (shaped("col", 7)) {
        ok = parens(6);
        if (ok) {
          for (int32_t c = 0; c < 4; ++c) material.m_color[c] = static_cast<float>(t.TokenFloat(i + 2 + c));
          i += 7;
        }
      } else if (shaped("dif", 4)) {
        ok = number(material.m_diffuse);
      } else if (shaped("amb", 4)) {
        ok = number(material.m_ambient);
      } else if (shaped("spc", 4)) {
        ok = number(material.m_specular);
      } else if (shaped("emi", 4)) {
        ok = number(material.m_emissive);
      } else if (shaped("power", 4)) {
        ok = number(material.m_power);
      } else if (shaped("tex", 4)) {
        ok = text(material.m_texture);
        if (ok && m_loadTexture) m_loadTexture(material);
      } else if (shaped("aplane", 4)) {
        ok = text(material.m_alphaPlane);
      } else if (shaped("bump", 4)) {
        ok = text(material.m_bump);
      } else {
        // Any other attribute: its list runs to the first ")" after the "(".
        ok = t.TokenIs(i + 1, "(");
        if (ok) {
          int32_t close = i + 2;
          while (close < n && !t.TokenIs(close, ")")) ++close;
          ok = close < n;
          i = close + 1;
        }
      }
      if (!ok) break;
    }
    material.m_number = m_scene->TakeMaterialNumber();
    m_scene->m_materials.push_back(std::move(material));
  }
}

bool MqoLoader::ReadObjectChunk(CModel& model) {
  AsciiFileString& t = *m_reader;
  for (;;) {
    const int32_t n = ReadLineInChunk();
    if (t.TokenIs(0, "}")) return true;
    if (t.IsKeyword("facet", 2)) {
      model.m_smoothingAngle = static_cast<float>(t.TokenFloat(1));
    } else if (t.IsKeyword("mirror_axis", 2)) {
      model.m_mirrorAxis = t.TokenInt(1);
    } else if (t.IsKeyword("vertex", 3)) {
      if (!t.TokenIs(n - 1, "{")) return false;
      for (;;) {
        const int32_t m = ReadLineInChunk();
        if (t.TokenIs(0, "}")) break;
        if (m >= 3) {
          if (m_verticesAdded + static_cast<int64_t>(model.m_vertices.size()) >= kMaxImportVertices)
            Fail(kMqoTooLarge);
          model.m_vertices.emplace_back(static_cast<float>(t.TokenFloat(0)), static_cast<float>(t.TokenFloat(1)),
                                        static_cast<float>(t.TokenFloat(2)));
        }
      }
    } else if (t.IsKeyword("BVertex", 2) && t.TokenIs(n - 1, "{")) {
      ReadBinaryVertexChunk(model);
    } else if (t.IsKeyword("face", 2)) {
      if (!t.TokenIs(n - 1, "{") || !ReadFaceChunk(model)) return false;
    } else {
      SkipChunk(n);
    }
  }
}

bool MqoLoader::ReadFaceChunk(CModel& model) {
  AsciiFileString& t = *m_reader;
  for (;;) {
    const int32_t n = ReadLineInChunk();
    if (n == 0) continue;
    if (t.TokenIs(0, "}")) return true;

    // k V ( i1 .. ik ) [M ( m )] [UV ( u1 v1 .. uk vk )]
    const int64_t k = t.TokenInt(0);
    if (n < 2 || !t.TokenIs(1, "V") || k < 0 || n < k + 4) Fail(kMqoSyntaxError);
    const int32_t corners = static_cast<int32_t>(k);
    if (!t.TokenIs(2, "(") || !t.TokenIs(corners + 3, ")")) continue;  // ignored line

    if (m_facesAdded + static_cast<int64_t>(model.m_faces.size()) >= kMaxImportFaces) Fail(kMqoTooLarge);
    CFace face;
    face.m_indices.resize(static_cast<size_t>(corners));
    for (int32_t j = 0; j < corners; ++j) face.m_indices[static_cast<size_t>(j)] = t.TokenInt(3 + j);

    int32_t p = corners + 4;
    face.m_material = m_materialBase;
    if (t.TokenIs(corners + 4, "M") && int64_t{n} >= k + 8) {
      if (!t.TokenIs(corners + 5, "(") || !t.TokenIs(corners + 7, ")")) continue;
      face.m_material = SaturatingAdd(t.TokenInt(corners + 6), m_materialBase);
      p = corners + 8;
    }
    if (t.TokenIs(p, "UV") && int64_t{n} >= int64_t{p} + 2 * k + 3) {
      if (!t.TokenIs(p + 1, "(") || !t.TokenIs(p + 2 * corners + 2, ")")) continue;
      face.m_uvs.resize(static_cast<size_t>(corners));
      for (int32_t j = 0; j < corners; ++j) {
        face.m_uvs[static_cast<size_t>(j)] = {static_cast<float>(t.TokenFloat(p + 2 + 2 * j)),
                                              static_cast<float>(t.TokenFloat(p + 3 + 2 * j))};
      }
    }
    model.m_faces.push_back(std::move(face));
  }
}

void MqoLoader::ReadBinaryVertexChunk(CModel& model) {
  AsciiFileString& t = *m_reader;
  int32_t depth = 1;
  while (depth > 0) {
    const int32_t n = ReadLineInChunk();
    if (n == 0) continue;
    if (t.TokenIs(n - 1, "{")) {
      ++depth;
    } else if (t.TokenIs(n - 1, "}")) {
      --depth;
    } else if (n >= 3 && t.TokenIs(n - 3, "[") && t.TokenIs(n - 1, "]")) {
      // Vector N [bytes] at the chunk's own level holds the positions; other payloads (weights,
      // colours) are skipped.
      const bool positions = depth == 1 && n == 5 && t.TokenIs(0, "Vector");
      ReadPayload(t.TokenInt(n - 2), positions ? std::max(0, t.TokenInt(1)) : 0,
                  positions ? &model.m_vertices : nullptr);
    }
  }
}

void MqoLoader::ReadPayload(int64_t count, int64_t wanted, std::vector<CVector>* vertices) {
  if (count < 0) Fail(kMqoSyntaxError);
  if (vertices) wanted = std::min(wanted, count / 12);
  else wanted = 0;
  // Read in bounded pieces: the announced size is not trusted for an allocation.
  constexpr size_t kPiece = 12 * 4096;
  unsigned char buffer[kPiece];
  int64_t left = count;
  while (left > 0) {
    const size_t want = static_cast<size_t>(std::min<int64_t>(left, kPiece));
    const size_t got = std::fread(buffer, 1, want, m_file);
    if (vertices && m_verticesAdded + static_cast<int64_t>(vertices->size()) + wanted > kMaxImportVertices)
      Fail(kMqoTooLarge);
    for (size_t offset = 0; wanted > 0 && offset + 12 <= got; offset += 12, --wanted) {
      vertices->emplace_back(LittleEndianFloat(buffer + offset), LittleEndianFloat(buffer + offset + 4),
                             LittleEndianFloat(buffer + offset + 8));
    }
    left -= static_cast<int64_t>(got);
    if (got < want) Fail(kMqoSyntaxError);  // the file ended inside the payload
  }
}

void MqoLoader::SkipBinary(int32_t countIndex) { ReadPayload(m_reader->TokenInt(countIndex), 0, nullptr); }

void MqoLoader::SkipChunk(int32_t tokenCount) {
  AsciiFileString& t = *m_reader;
  const int32_t n = tokenCount;
  if (n <= 0) return;
  auto isBinaryLine = [&](int32_t count) {
    return count >= 3 && t.TokenIs(count - 3, "[") && t.TokenIs(count - 1, "]");
  };
  if (!t.TokenIs(n - 1, "{")) {
    if (isBinaryLine(n)) SkipBinary(n - 2);
    return;
  }
  int32_t depth = 1;
  while (depth > 0) {
    const int32_t m = ReadLineInChunk();
    if (m == 0) continue;
    if (t.TokenIs(m - 1, "{")) {
      ++depth;
    } else if (t.TokenIs(m - 1, "}")) {
      --depth;
    } else if (isBinaryLine(m)) {
      SkipBinary(m - 2);
    }
  }
}

bool MqoLoader::FinishObject(CModel& model, std::vector<CFace> readFaces) {
  model.m_faces.clear();
  const size_t vertexCount = model.m_vertices.size();
  for (CFace& face : readFaces) {
    // Faces pointing outside the object's vertices are dropped: they can be neither drawn nor
    // exported.
    const bool valid = std::all_of(face.m_indices.begin(), face.m_indices.end(), [&](int32_t index) {
      return index >= 0 && static_cast<size_t>(index) < vertexCount;
    });
    if (!valid) continue;
    const size_t corners = face.m_indices.size();
    if (corners == 2) {
      model.m_origin = model.m_vertices[static_cast<size_t>(face.m_indices[0])];  // a line marks the pivot
    } else if (corners == 3 || corners == 4) {
      model.m_faces.push_back(std::move(face));
    } else if (corners > 4) {
      // A polygon of more corners is cut into triangles in its own plane; the pieces keep the
      // material and their corners' texture coordinates.
      std::vector<CVector> positions;
      positions.reserve(corners);
      for (int32_t index : face.m_indices) positions.push_back(model.m_vertices[static_cast<size_t>(index)]);
      for (const std::array<int32_t, 3>& triangle : TriangulatePolygon(positions)) {
        CFace piece;
        piece.m_material = face.m_material;
        for (int32_t corner : triangle) {
          piece.m_indices.push_back(face.m_indices[static_cast<size_t>(corner)]);
          if (!face.m_uvs.empty()) piece.m_uvs.push_back(face.m_uvs[static_cast<size_t>(corner)]);
        }
        model.m_faces.push_back(std::move(piece));
      }
    }
  }

  // mirror_axis is a bit set: 1 X, 2 Y, 4 Z, applied in that order; later rounds mirror the
  // copies of earlier rounds too.
  const int32_t axes = model.m_mirrorAxis;
  if (axes >= 1 && axes <= 7) {
    // Checked before the copies are made: each mirrored axis doubles the object.
    const int64_t copies = int64_t{1} << std::popcount(static_cast<uint32_t>(axes));
    if (m_facesAdded + copies * static_cast<int64_t>(model.m_faces.size()) > kMaxImportFaces ||
        m_verticesAdded + copies * static_cast<int64_t>(model.m_vertices.size()) > kMaxImportVertices)
      Fail(kMqoTooLarge);
    // The faces as read are no longer needed, and the mirrored object is made in place at its
    // final size: no round reallocates a half-grown copy.
    readFaces = {};
    model.m_faces.reserve(static_cast<size_t>(copies) * model.m_faces.size());
    model.m_vertices.reserve(static_cast<size_t>(copies) * model.m_vertices.size());
    for (int axis = 0; axis < 3; ++axis) {
      if (axes & (1 << axis)) MirrorRound(model, axis);
    }
  }
  return !model.m_faces.empty();
}

}  // namespace qv
