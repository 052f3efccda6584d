#pragma once
// Answering modal dialogs from a test. A modal dialog runs its own event loop inside exec(), so
// a test arms an answer before the action that opens the dialog:
//
//   qv::test::CreateTextAnswer logo;
//   logo.fontName = "DejaVu Sans";
//   logo.text = "Logo";
//   qv::test::AnswerNextCreateTextDialog(logo);
//   window.findChild<QAction*>("createText")->trigger();   // exec() returns after the answer
//
//   QString said;
//   qv::test::AnswerNextMessageBox(QMessageBox::Ok, &said);  // a message the action shows
//
// Each answer waits (checking from the event loop every 10 ms) for the next modal widget of
// its kind, answers it once and is gone; `QV_DIALOG_ANSWERED` in the log says which answers ran.
// Nothing hangs:
// - an answer whose dialog has not come after some 8 s of event loop, or is still waiting when
//   the test function (or data row) that armed it has ended, fails the test and is dropped;
//   a modal widget open at that moment is closed;
// - a dialog that stays open after its answer ran (the answer did not reach its button) fails
//   the test and is closed;
// - a modal dialog that no answer is waiting for fails the test and is closed after 5 s
//   (WatchForUnansweredDialogs, started by the desktop tests' main).
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QtTest>
#include <functional>

namespace qv::test {

// Calls `answer` with the next visible modal widget for which it returns true; widgets for
// which it returns false are left alone (another answer may be waiting for them).
void AnswerNextModal(std::function<bool(QWidget*)> answer);

// Calls `answer` with the next modal dialog of type Dialog once it is the active window (the test
// then goes on into the call that opens it); the answer closes it. A failure inside the answer
// rejects the dialog, so nothing waits on it.
template <class Dialog>
void AnswerNextModal(std::function<void(Dialog*)> answer) {
  AnswerNextModal([answer](QWidget* modal) {
    auto* dialog = qobject_cast<Dialog*>(modal);
    if (!dialog) return false;
    dialog->activateWindow();  // no window manager does it on a virtual display
    QApplication::setActiveWindow(dialog);
    answer(dialog);
    if (QTest::currentTestFailed() && dialog->isVisible()) dialog->reject();  // never hang on a failure
    return true;
  });
}

// The next modal widget of that object name ("keyFrameDialog"): `look` sees it as it opened (and
// may fill it in), then its OK button is pressed, or cancel when `ok` is false.
void AnswerNextDialog(const char* objectName, std::function<void(QWidget*)> look, bool ok = true);

// Clicks `button` of the next message box; its text goes to `text` when given.
void AnswerNextMessageBox(QMessageBox::StandardButton button, QString* text = nullptr);

// The create-text dialog ("3D文字作成") as a person fills it: every field given replaces the
// field's text (empty: the preset stays), the weight moves when given (>= 1), the bevel's shape
// (0 round, 1 chamfer) and the kerning box change when given (>= 0); then OK, or cancel when
// `ok` is false.
struct CreateTextAnswer {
  QString fontName;
  QString text;
  QString subdivisions;
  QString fontSize;
  QString thickness;
  int weight = 0;
  QString bevelWidth;
  QString bevelDepth;
  QString bevelSegments;
  int bevelShape = -1;
  int kerning = -1;  // 0 off, 1 on
  QString tracking;
  bool ok = true;
};
void AnswerNextCreateTextDialog(const CreateTextAnswer& answer);

// The save-as dialog: chooses the type (0 document, 1 WebGL page, 2 WebGPU page), types `path`
// (a name without an extension gets the type's) and saves. An existing file brings up the
// replace question, a message box to answer as well (AnswerNextMessageBox(QMessageBox::Yes)).
// The offered types go to `offered` when given.
void AnswerNextSaveDialog(const QString& path, int type = 0, QStringList* offered = nullptr);
// An open dialog (the document's or the model tree's): chooses `path` with the first type whose
// pattern fits its name and opens it. The offered types go to `offered` when given.
void AnswerNextOpenDialog(const QString& path, QStringList* offered = nullptr);

// Answers an open file dialog at once as the two above do (`type` -1: the type fitting the name).
void AnswerFileDialog(QFileDialog* dialog, const QString& path, int type, QStringList* offered = nullptr);

// Number of answers armed and still waiting for their dialog.
int WaitingAnswers();
// Starts the watch over modal dialogs that no answer waits for (once, after the application
// exists).
void WatchForUnansweredDialogs();

}  // namespace qv::test
