#pragma once
// MqoLoader: reads the body of a Metasequoia text file (.mqo, Format Text Ver 1.0 / 1.1) into a
// scene. Materials are appended to the scene's materials, objects become models appended to
// its models; everything else is skipped by the file's own brace structure.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "geometry/string_separator.h"
#include "scene/face.h"
#include "scene/limits.h"
#include "scene/material.h"
#include "scene/model.h"

namespace qv {

class Scene;

// Result codes of a parse.
enum MqoResult : int32_t {
  kMqoOk = 0,
  kMqoSyntaxError = -1,
  kMqoUnexpectedEnd = -2,
  kMqoNotMetasequoia = -3,
  kMqoUnsupportedVersion = -4,
  kMqoLineTooLong = -5,  // a line longer than FileStringSeparator::kMaxLineBytes
  kMqoTooLarge = -6,     // more than one import's limits (scene/limits.h)
  kMqoTooManyPoses = -7,      // the scene would hold more than kMaxStoredPoses poses
  kMqoTooManyMaterials = -8,  // the scene would hold more than kMaxSceneMaterials materials
};

// Readable name of a result code ("syntax error", ...).
const char* MqoResultText(int32_t code);

class MqoLoader {
 public:
  // `file` is open for binary reading and stays the caller's. `materialBase` is added to every
  // material index of the file (the number of materials the scene had before).
  MqoLoader(Scene& scene, std::FILE* file, int32_t materialBase);
  virtual ~MqoLoader() = default;

  // Called for each material line with a tex attribute, after m_texture was set.
  std::function<void(CMaterial&)> m_loadTexture;

  // Parses the whole file; 0 or a negative result code. Models and materials completed before
  // an error stay in the scene.
  int32_t Load();
  // Load in two steps: the two header lines (nothing in the scene changes), then the rest.
  int32_t ReadHeader();
  int32_t ReadBody();
  // Line of the file where the parse stopped (the last line read).
  int64_t LineNumber() const { return m_reader->LineNumber(); }

  // The chunk readers. They raise errors by throwing MqoParseError, which Load turns into its
  // result; called on their own they may throw.
  void ReadMaterialChunk();
  bool ReadObjectChunk(CModel& model);
  bool ReadFaceChunk(CModel& model);
  // Object vertices stored in binary: Vector N [bytes] lines of N little-endian float32 triples.
  void ReadBinaryVertexChunk(CModel& model);
  // Rebuilds the model's faces from the faces read and applies the mirror; true when the model
  // has at least one face.
  bool FinishObject(CModel& model, std::vector<CFace> readFaces);
  void SkipChunk(int32_t tokenCount);
  void SkipBinary(int32_t countIndex);

  Scene* m_scene;
  std::FILE* m_file;
  std::unique_ptr<AsciiFileString> m_reader;
  int32_t m_parent = kNoModel;  // parent of new models: top level
  // Objects, faces and vertices added so far, against the limits above.
  int64_t m_objectsAdded = 0;
  int64_t m_facesAdded = 0;
  int64_t m_verticesAdded = 0;
  int32_t m_materialBase = 0;

 private:
  int32_t ReadLine();
  int32_t ReadLineInChunk();  // as ReadLine, but the end of the file is an error
  // Adds a finished object to the scene (id, tracks, smoothing), or drops it without faces.
  void AddObject(CModel&& model);
  // Reads the `count` bytes that follow the current line. With `vertices`, the first `wanted`
  // whole 12-byte groups are appended to it as positions. A file that ends sooner: syntax error.
  void ReadPayload(int64_t count, int64_t wanted, std::vector<CVector>* vertices);
  // Poses of the scene before the import and those each object adds (counted at the first).
  int64_t m_posesBefore = -1;
  int64_t m_posesPerObject = 0;
};

// Thrown inside the parse; Load returns its code.
struct MqoParseError {
  int32_t code;
};

}  // namespace qv
