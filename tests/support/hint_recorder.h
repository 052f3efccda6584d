#pragma once
// A view of the document that keeps what it was told, for tests of what the document says to its
// views and when.
#include <cstdint>
#include <vector>

#include "document/document_view.h"

namespace qv::testing {

class HintRecorder : public DocumentView {
 public:
  void OnUpdate(CMotionDoc&, UpdateHint hint) override { hints.push_back(hint); }
  void OnReleaseResources(CMotionDoc&) override { ++releases; }

  std::vector<int32_t> hints;  // every update, in order
  int releases = 0;            // times the views were asked to drop what they made from the scene
};

}  // namespace qv::testing
