#pragma once
// The merged mesh of an export: every model's faces as triangles of unique vertices, each vertex
// naming its model (the bone whose matrix moves it).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "scene/model.h"

namespace qv {

// One exported vertex. Two vertices are the same only when all ten values are equal (floats
// compared as numbers: +0 equals -0, a NaN equals nothing).
struct ExportVertex {
  float x = 0, y = 0, z = 0;     // position times the export scale
  float nx = 0, ny = 0, nz = 0;  // corner normal
  int32_t material = 0;
  float u = 0, v = 0;
  int32_t model = 0;  // bone index

  bool SameAs(const ExportVertex& o) const {
    return x == o.x && y == o.y && z == o.z && nx == o.nx && ny == o.ny && nz == o.nz && material == o.material &&
           u == o.u && v == o.v && model == o.model;
  }
};

class Scene;

// The merged mesh of one export: unique vertices in order of first occurrence, and three indices
// into them per triangle, with the lookup state that finds equal vertices. Each export makes its
// own and drops it when done.
class ExportMesh {
 public:
  ExportMesh();
  ~ExportMesh();
  ExportMesh(const ExportMesh&) = delete;
  ExportMesh& operator=(const ExportMesh&) = delete;

  std::vector<ExportVertex> vertices;
  std::vector<int32_t> indices;

 private:
  friend bool AppendModelGeometry(ExportMesh& mesh, const CModel& model, float scale, int32_t modelIndex,
                                  size_t materialCount);
  class Search;
  std::unique_ptr<Search> search_;
};

// Appends model `modelIndex`'s triangles to mesh.indices and its new vertices to
// mesh.vertices: a triangle gives corners 0, 1, 2, a quadrilateral 0, 1, 2 and 2, 3, 0; other
// faces are skipped, and so are faces naming a vertex the model lacks. A corner's normal is its
// corner record's (the face normal when the records were not built), its texture coordinates the
// face's entry for it or (0, 0). A material index outside [0, materialCount) becomes the last
// material (0 when there is none), so the script never names a material it lacks.
// A vertex equal to one already in mesh.vertices reuses the first such entry. The search runs
// in linear time (vertices grouped by position, long groups hashed on all ten values) with
// exactly the result of scanning the list from its start.
// Always true.
bool AppendModelGeometry(ExportMesh& mesh, const CModel& model, float scale, int32_t modelIndex,
                         size_t materialCount);

// Every model of the scene, in model order, with the scene's material count.
void BuildExportMesh(const Scene& scene, float scale, ExportMesh& mesh);

// The material index written for a face material.
int32_t ExportMaterialIndex(int32_t material, size_t materialCount);

}  // namespace qv
