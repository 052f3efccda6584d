#pragma once
// Shared by the pane tests: modal dialogs answered from a timer, a document with named models.
#include <QApplication>
#include <QDialog>
#include <QtTest>
#include <functional>

#include "../support/animated_scene.h"
#include "support/desktop/modal_dialogs.h"
#include "document/motion_doc.h"

namespace qv::testing {

// Calls `answer` with the next modal dialog of type Dialog once it is the active one (the test
// then goes on into the call that opens it). A dialog that never comes, or one that the answer
// leaves open, fails the test within seconds (support/desktop/modal_dialogs.h).
template <class Dialog>
void AnswerNextModal(std::function<void(Dialog*)> answer) {
  qv::test::AnswerNextModal([answer](QWidget* modal) {
    auto* dialog = qobject_cast<Dialog*>(modal);
    if (!dialog) return false;
    dialog->activateWindow();  // no window manager does it on a virtual display
    QApplication::setActiveWindow(dialog);
    answer(dialog);
    if (QTest::currentTestFailed() && dialog->isVisible()) dialog->reject();  // never hang on a failure
    return true;
  });
}

// Shows `window` as the active window (a virtual display has no window manager to make it so).
inline void ShowActive(QWidget& window) {
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  window.activateWindow();
  QApplication::setActiveWindow(&window);
}

// A text model made by the document's create-text command.
inline bool AddText(CMotionDoc& doc, const char* text) {
  TextParameters parameters;
  parameters.fontName = "DejaVu Sans";
  parameters.text = text;
  parameters.subdivisions = 2;
  return doc.CreateText(parameters);
}

}  // namespace qv::testing
