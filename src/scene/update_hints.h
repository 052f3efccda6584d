#pragma once
// What changed, sent to every view of the document after a change.
#include <cstdint>

namespace qv {

enum UpdateHint : int32_t {
  kHintNewDocument = 101,
  kHintDocumentOpened = 102,
  kHintControlBarFields = 103,
  kHintModelsAddedOrRemoved = 104,
  kHintHierarchyDragged = 105,
  kHintCameraUndoSettings = 106,  // camera reset, undo or redo applied, settings changed
  kHintAppearance = 107,          // background colour, shading mode or a material
  kHintFrameCount = 108,
  kHintMoveMode = 111,
  kHintRotateMode = 112,
  kHintScaleMode = 113,
  kHintSelection = 115,  // selected model or mouse mode
  kHintKeysOrPoses = 116,
  kHintFramesInsertedOrDeleted = 118,
  kHintCurrentFrame = 121,
  kHintPlaybackStarted = 122,
  kHintPlaybackStopped = 124,
  kHintCameraFollow = 125,
  kHintTextDialogClosed = 126,
};

}  // namespace qv
