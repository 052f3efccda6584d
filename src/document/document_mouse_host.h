#pragma once
// The document's side of the viewport mouse: mouse mode, change notices and the modified flag go
// to CMotionDoc. The desktop view derives from it to add capture, redraw and the control bar.
#include "document/motion_doc.h"
#include "viewport/viewport_mouse.h"

namespace qv {

class DocumentMouseHost : public ViewportHost {
 public:
  explicit DocumentMouseHost(CMotionDoc& document) : m_document(document) {}

  int32_t MouseMode() const override { return m_document.m_mouseMode; }
  void SetMouseMode(int32_t mode) override { m_document.m_mouseMode = static_cast<qv::MouseMode>(mode); }
  void NotifyViews(Change changes) override { m_document.UpdateAllViews(changes); }
  void SetModified() override { m_document.SetModifiedFlag(true); }

 protected:
  CMotionDoc& m_document;
};

}  // namespace qv
