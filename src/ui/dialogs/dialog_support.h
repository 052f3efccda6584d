#pragma once
// Pieces every dialog of the program shares: the message box, number edits that show the
// framework's message and keep the dialog open when their text does not read, and the OK /
// cancel buttons.
#include <QDialog>
#include <QString>
#include <cstdint>

class QDialogButtonBox;
class QLineEdit;
class QWidget;

namespace qv::ui {

// The title of every message box.
QString ApplicationName();

// A message box with one OK button (the exclamation icon), modal over `parent`.
void ShowMessageBox(QWidget* parent, const QString& text);

// An edit that accepts only the digits 0 to 9 as typed (no sign).
QLineEdit* MakeDigitsOnlyEdit(QWidget* parent);
// An edit that accepts any text.
QLineEdit* MakeNumberEdit(QWidget* parent);

// Refuses what an edit holds: the message (a document text, translated), then the edit gets the
// focus with its text selected.
void RefuseEdit(QLineEdit* edit, const char* message);

// Read an edit on OK. When the text does not read, the message is shown, the edit gets the focus
// with its text selected, and false is returned so that the dialog stays open.
bool ReadIntegerEdit(QLineEdit* edit, int32_t& value);
bool ReadNumberEdit(QLineEdit* edit, float& value);

// The OK and cancel buttons of a dialog (objectName "buttons"), wired to accept() and reject(),
// stacked at the dialog's right; `cancelText` is the cancel button's label.
QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog, const QString& cancelText);

}  // namespace qv::ui
