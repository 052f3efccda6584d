#pragma once
#include <cstdint>

#include "scene/changes.h"

namespace qv {

class CMotionDoc;

// A view of the document: the viewport, the model tree, the material list, the control bar,
// the command line's printer, a test's recorder. Views read whatever they need from the scene.
class DocumentView {
 public:
  virtual ~DocumentView() = default;
  virtual void OnUpdate(CMotionDoc& document, Change changes) = 0;
  // The scene's models or materials are about to be replaced: drop GPU buffers and textures made
  // from them (the handles in the scene are cleared by the document).
  virtual void OnReleaseResources(CMotionDoc& /*document*/) {}
};

}  // namespace qv
