#pragma once
// Shared by the pane tests: modal dialogs answered from a timer, a document with named models.
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "../support/animated_scene.h"
#include "document/motion_doc.h"

namespace qv::testing {

// Calls `answer` with the next modal dialog of type Dialog once it is the active one (the test
// then goes on into the call that opens it). Gives up after about ten seconds.
template <class Dialog>
void AnswerNextModal(std::function<void(Dialog*)> answer) {
  auto* timer = new QTimer(qApp);
  auto ticks = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, ticks, answer] {
    if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
      timer->stop();
      timer->deleteLater();
      dialog->activateWindow();  // no window manager does it on a virtual display
      QApplication::setActiveWindow(dialog);
      answer(dialog);
      if (QTest::currentTestFailed() && dialog->isVisible()) dialog->reject();  // never hang on a failure
    } else if (++*ticks > 1000) {
      timer->stop();
      timer->deleteLater();
      qWarning("the awaited dialog never came; closing %s",
               QApplication::activeModalWidget() ? QApplication::activeModalWidget()->metaObject()->className() : "nothing");
      if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget())) other->reject();
    }
  });
  timer->start(10);
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
