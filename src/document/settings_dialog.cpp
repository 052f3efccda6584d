#include "document/settings_dialog.h"

#include <cmath>

#include "document/motion_doc.h"
#include "geometry/normals.h"
#include "geometry/vertex_array.h"

namespace qv {

int32_t FieldOfViewPosition(float degrees) {
  if (!(degrees >= kMinFieldOfView)) return kMinFieldOfView;  // below, or not a number
  if (degrees >= kMaxFieldOfView) return kMaxFieldOfView;
  return static_cast<int32_t>(std::trunc(degrees));
}

SettingsDialogValues PresetSettings(const Scene& scene) {
  SettingsDialogValues values;
  values.canvasWidth = scene.m_canvasWidth;
  values.canvasHeight = scene.m_canvasHeight;
  values.fieldOfView = FieldOfViewPosition(scene.m_fieldOfView);
  values.smoothingAngle = scene.m_models.empty() ? 89.5f : scene.m_models[0].m_smoothingAngle;
  return values;
}

void CMotionDoc::OnSettingsDialogClosed(const std::optional<SettingsDialogValues>& accepted) {
  if (accepted) {
    scene_.m_canvasWidth = accepted->canvasWidth;
    scene_.m_canvasHeight = accepted->canvasHeight;
    scene_.m_fieldOfView = static_cast<float>(FieldOfViewPosition(static_cast<float>(accepted->fieldOfView)));
    for (CModel& model : scene_.m_models) {
      model.m_smoothingAngle = accepted->smoothingAngle;
      RebuildSmoothingRecords(model);
      BuildVertexArray(model, scene_.m_materials.size());
    }
    SetModifiedFlag();
  }
  // A new smoothing angle gave every model new normals.
  UpdateAllViews(accepted ? Change::kSettings | Change::kGeometry : Change::kSettings);
}

}  // namespace qv
