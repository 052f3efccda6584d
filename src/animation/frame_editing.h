#pragma once
// Frames of the current animation: inserting, deleting, the frame count, the all-frames
// clipboard.
#include <cstdint>

#include "scene/limits.h"

namespace qv {

class Scene;

// Inserts n in-between frames after frame a in every model's current track, then
// re-interpolates and clears the undo history (current frame 0). False, with nothing changed,
// when a or n is out of range or the scene would hold more than kMaxStoredPoses poses.
bool InsertFrames(Scene& scene, int32_t a, int32_t n);
// Deletes frames s..e; refuses to delete every frame. False, with nothing changed, when the
// range is out of range.
bool DeleteFrames(Scene& scene, int32_t s, int32_t e);
// Sets the last frame to n: new frames become identity poses, surplus ones are dropped, the
// undo history is cleared. False, with nothing changed, for a negative or too large n, or when
// the scene would hold more than kMaxStoredPoses poses.
bool ApplyLastFrame(Scene& scene, int32_t n);

// The selected model's whole current track to the frame clipboard, and back (key flags
// included; no interpolation). False without a valid selection.
bool CopyAllFrames(Scene& scene);
bool PasteAllFrames(Scene& scene);

}  // namespace qv
