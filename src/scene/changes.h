#pragma once
// What changed, told to every view of the document after an edit or a step of the editor. A view
// tests the flags of what it shows; one notice may carry several.
#include <cstdint>

namespace qv {

enum class Change : uint32_t {
  kNone = 0,
  kDocument = 1u << 0,         // another document: a new one, or one opened (with kModels)
  kModels = 1u << 1,           // models added or removed: an import, a text, a paste, a deletion
  kHierarchy = 1u << 2,        // a model dragged under another parent
  kGeometry = 1u << 3,         // the models' vertices or normals (the smoothing angle)
  kAppearance = 1u << 4,       // a material, the background colour or the shading
  kPoses = 1u << 5,            // keys added or deleted, poses changed
  kLastFrame = 1u << 6,        // the animation's last frame set
  kFrames = 1u << 7,           // frames inserted or deleted
  kCurrentFrame = 1u << 8,     // another frame shown
  kSelection = 1u << 9,        // the selected model, or the mouse mode
  kTransformMode = 1u << 10,   // moving, rotating or scaling (the scene says which)
  kCamera = 1u << 11,          // the camera put back where it starts
  kSettings = 1u << 12,        // the settings applied
  kUndo = 1u << 13,            // a step undone or redone
  kCameraView = 1u << 14,      // a camera view chosen: the control bar shows the position
  kFollow = 1u << 15,          // the camera starts or stops following the selected model
  kPlaybackStarted = 1u << 16,
  kPlaybackStopped = 1u << 17,
};

constexpr Change operator|(Change a, Change b) {
  return static_cast<Change>(static_cast<uint32_t>(a) | static_cast<uint32_t>(b));
}

// Whether `changes` holds any of the flags in `any`.
constexpr bool Has(Change changes, Change any) { return (static_cast<uint32_t>(changes) & static_cast<uint32_t>(any)) != 0; }
// Whether `changes` holds a flag that is not in `these`.
constexpr bool HasOtherThan(Change changes, Change these) {
  return (static_cast<uint32_t>(changes) & ~static_cast<uint32_t>(these)) != 0;
}

// What playing and stepping through the frames changes: views of the document's contents let it
// pass.
constexpr Change kFrameSteps = Change::kCurrentFrame | Change::kPlaybackStarted | Change::kPlaybackStopped;

}  // namespace qv
