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
//   qv::test::AnswerNextMessageBox(QMessageBox::Ok, &said);  // a message the action may show
//
// Each answer waits (checking from the event loop every 10 ms) for the next modal widget of
// its kind, answers it once and is gone. If none comes within 20 s the answer gives up and
// closes whatever modal widget is then open, so a wrong dialog fails the test instead of
// hanging it; `QV_DIALOG_ANSWERED` in the log says which answers ran.
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>

namespace qv::test {

// Calls `answer` with the next visible modal widget for which it returns true; widgets for
// which it returns false are left alone (another answer may be waiting for them).
void AnswerNextModal(std::function<bool(QWidget*)> answer);

// Clicks `button` of the next message box; its text goes to `text` when given.
void AnswerNextMessageBox(QMessageBox::StandardButton button, QString* text = nullptr);

// The create-text dialog ("3D文字作成") as a person fills it: every field given replaces the
// field's text (empty: the preset stays), the weight moves when given (>= 1); then OK, or
// cancel when `ok` is false.
struct CreateTextAnswer {
  QString fontName;
  QString text;
  QString subdivisions;
  QString fontSize;
  QString thickness;
  int weight = 0;
  bool ok = true;
};
void AnswerNextCreateTextDialog(const CreateTextAnswer& answer);

// The save-as dialog: chooses the type (0 document, 1 WebGL page, 2 WebGPU page), types `path`
// (a name without an extension gets the type's) and saves. An existing file brings up the
// replace question, a message box to answer as well (AnswerNextMessageBox(QMessageBox::Yes)).
// The offered types go to `offered` when given.
void AnswerNextSaveDialog(const QString& path, int type = 0, QStringList* offered = nullptr);
// The open dialog: chooses `path` and opens it. The offered types go to `offered` when given.
void AnswerNextOpenDialog(const QString& path, QStringList* offered = nullptr);

}  // namespace qv::test
