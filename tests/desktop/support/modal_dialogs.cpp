#include "desktop/support/modal_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QtDebug>
#include <memory>

namespace qv::test {

namespace {

constexpr int kPollMilliseconds = 10;
constexpr int kGiveUpPolls = 2000;

void SetIfGiven(QWidget* dialog, const char* name, const QString& text) {
  if (text.isEmpty()) return;
  auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
  if (edit) edit->setText(text);
}

}  // namespace

void AnswerNextModal(std::function<bool(QWidget*)> answer) {
  auto* timer = new QTimer(qApp);
  auto polls = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, polls, answer = std::move(answer)] {
    QWidget* modal = QApplication::activeModalWidget();
    // Stopped while answering: an answer may open another modal loop (a message on OK).
    timer->stop();
    if (modal && modal->isVisible()) {
      const QString name = modal->objectName();
      if (answer(modal)) {
        qDebug("QV_DIALOG_ANSWERED %s", qPrintable(name));
        timer->deleteLater();
        return;
      }
    }
    if (++*polls >= kGiveUpPolls) {
      qWarning("no modal dialog of the expected kind came; closing %s", modal ? qPrintable(modal->objectName()) : "nothing");
      if (modal) modal->close();
      timer->deleteLater();
      return;
    }
    timer->start();
  });
  timer->start(kPollMilliseconds);
}

void AnswerNextMessageBox(QMessageBox::StandardButton button, QString* text) {
  AnswerNextModal([button, text](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box || !box->button(button)) return false;
    if (text) *text = box->text();
    box->button(button)->click();
    return true;
  });
}

void AnswerNextCreateTextDialog(const CreateTextAnswer& answer) {
  AnswerNextModal([answer](QWidget* modal) {
    if (modal->objectName() != QLatin1String("createTextDialog")) return false;
    if (!answer.fontName.isEmpty()) modal->findChild<QComboBox*>(QStringLiteral("fontName"))->setEditText(answer.fontName);
    SetIfGiven(modal, "text", answer.text);
    SetIfGiven(modal, "subdivisions", answer.subdivisions);
    SetIfGiven(modal, "fontSize", answer.fontSize);
    SetIfGiven(modal, "thickness", answer.thickness);
    if (answer.weight >= 1) modal->findChild<QSlider*>(QStringLiteral("weight"))->setValue(answer.weight);
    auto* buttons = modal->findChild<QDialogButtonBox*>(QStringLiteral("buttons"));
    buttons->button(answer.ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    return true;
  });
}

namespace {

void AnswerNextFileDialog(QFileDialog::AcceptMode mode, const QString& path, int type, QStringList* offered) {
  AnswerNextModal([mode, path, type, offered](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog || dialog->acceptMode() != mode) return false;
    if (offered) *offered = dialog->nameFilters();
    dialog->selectNameFilter(dialog->nameFilters().value(type));
    dialog->selectFile(path);
    QMetaObject::invokeMethod(dialog, "accept");  // the dialog's Save / Open button
    return true;
  });
}

}  // namespace

void AnswerNextSaveDialog(const QString& path, int type, QStringList* offered) {
  AnswerNextFileDialog(QFileDialog::AcceptSave, path, type, offered);
}

void AnswerNextOpenDialog(const QString& path, QStringList* offered) {
  AnswerNextFileDialog(QFileDialog::AcceptOpen, path, 0, offered);
}

}  // namespace qv::test
