#pragma once
// Key frames of the current animation: marking, unmarking, the pose clipboard, key navigation.
#include <cstdint>

namespace qv {

class Scene;

// Makes frame k a key of the selected model (or of every model when `allModels`), recording
// undo steps and re-interpolating each changed model. At a frame other than the current one the
// current pose is copied there first. Nothing happens without a valid selection or with k out
// of 0..m_lastFrame.
void AddKey(Scene& scene, bool allModels, int32_t k);
// Unmarks key k (never frame 0); same models, undo steps and interpolation as AddKey.
void DeleteKey(Scene& scene, bool allModels, int32_t k);

// Every model's pose at the current frame to its own pose clipboard, and back.
void CopyCurrentPose(Scene& scene);
void PasteCurrentPose(Scene& scene);

// Moves the current frame to the selected model's next (previous) key, wrapping around the
// track; after one full round without finding another key the current frame stays.
void NextKey(Scene& scene);
void PreviousKey(Scene& scene);

}  // namespace qv
