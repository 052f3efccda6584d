#pragma once
// The settings dialog's values: what it shows when it opens and what OK does with them.
#include <cstdint>

namespace qv {

class Scene;

struct SettingsDialogValues {
  int32_t canvasWidth = 800;
  int32_t canvasHeight = 600;
  int32_t fieldOfView = 20;  // the trackbar's position, 1 ... 175
  float smoothingAngle = 89.5f;
  bool operator==(const SettingsDialogValues&) const = default;
};

inline constexpr int32_t kMinFieldOfView = 1;
inline constexpr int32_t kMaxFieldOfView = 175;

// A field of view in degrees as the trackbar shows it: truncated towards zero, then kept within
// 1 ... 175 (a value that is no number shows 1).
int32_t FieldOfViewPosition(float degrees);

// The values the dialog opens with: canvas size, field of view on the trackbar, and the first
// model's smoothing angle (89.5 without models).
SettingsDialogValues PresetSettings(const Scene& scene);

}  // namespace qv
