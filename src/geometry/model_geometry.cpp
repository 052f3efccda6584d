#include "geometry/model_geometry.h"

namespace qv {

void RebuildModelGeometry(CModel& model, size_t materialCount) {
  RebuildSmoothingRecords(model);
  BuildVertexArray(model, materialCount);
  ComputeBounds(model);
  BuildBoxOutline(model);
}

}  // namespace qv
