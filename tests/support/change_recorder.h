#pragma once
// A view of the document that keeps what it was told, for tests of what the document says to its
// views and when.
#include <vector>

#include "document/document_view.h"

namespace qv::testing {

class ChangeRecorder : public DocumentView {
 public:
  void OnUpdate(CMotionDoc&, Change changes) override { notices.push_back(changes); }
  void OnReleaseResources(CMotionDoc&) override { ++releases; }

  std::vector<Change> notices;  // what each notice said changed, in order
  int releases = 0;             // times the views were asked to drop what they made from the scene
};

}  // namespace qv::testing
