#include "ui/dialogs/dialog_support.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "document/dialog_fields.h"
#include "ui/interface_translation.h"

namespace qv::ui {

QString ApplicationName() { return QStringLiteral("Quorvel Motion"); }

void ShowMessageBox(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Warning, ApplicationName(), text, QMessageBox::Ok, parent);
  box.exec();
}

QLineEdit* MakeDigitsOnlyEdit(QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
  return edit;
}

QLineEdit* MakeNumberEdit(QWidget* parent) { return new QLineEdit(parent); }

void RefuseEdit(QLineEdit* edit, const char* message) {
  ShowMessageBox(edit->window(), TranslatedMessage(message));
  edit->setFocus(Qt::OtherFocusReason);
  edit->selectAll();
}

bool ReadIntegerEdit(QLineEdit* edit, int32_t& value) {
  if (auto read = ReadIntegerField(edit->text().toStdString())) {
    value = *read;
    return true;
  }
  RefuseEdit(edit, kEnterIntegerMessage);
  return false;
}

bool ReadNumberEdit(QLineEdit* edit, float& value) {
  if (auto read = ReadNumberField(edit->text().toStdString())) {
    value = *read;
    return true;
  }
  RefuseEdit(edit, kEnterNumberMessage);
  return false;
}

QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog, const QString& cancelText) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, dialog);
  buttons->setObjectName(QStringLiteral("buttons"));
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(cancelText);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace qv::ui
