#include "support/desktop/modal_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QTimer>
#include <QtDebug>
#include <QtTest>
#include <memory>

namespace qv::test {

namespace {

constexpr int kPollMilliseconds = 10;
constexpr int kGiveUpPolls = 800;                  // some 8 s of event loop
constexpr int kWatchMilliseconds = 50;
constexpr qint64 kUnansweredMilliseconds = 5000;

// Answers armed and not yet done: while one waits or runs, the watch leaves dialogs alone.
int g_waiting = 0;

// Where a test is: its function and data row.
QString TestPlace() {
  const char* function = QTest::currentTestFunction();
  const char* tag = QTest::currentDataTag();
  QString place = QString::fromUtf8(function ? function : "(no test function)");
  if (tag && *tag) place += QStringLiteral("(%1)").arg(QString::fromUtf8(tag));
  return place;
}

QString Describe(const QWidget* widget) {
  if (!widget) return QStringLiteral("nothing");
  QString described = QStringLiteral("%1 \"%2\" (%3)")
      .arg(QString::fromLatin1(widget->metaObject()->className()), widget->windowTitle(), widget->objectName());
  // A message box says what went wrong: its text tells the failing test's reader.
  if (auto* box = qobject_cast<const QMessageBox*>(widget)) described += QStringLiteral(": ") + box->text();
  return described;
}

void Fail(const QString& message) {
  qWarning("%s", qPrintable(message));
  QTest::qFail(qPrintable(message), __FILE__, __LINE__);
}

// Ends a modal dialog's loop however it is built (a message box without an escape button
// ignores close()).
void CloseModal(QWidget* modal) {
  if (!modal) return;
  if (auto* dialog = qobject_cast<QDialog*>(modal)) {
    dialog->done(QDialog::Rejected);
  } else {
    modal->close();
  }
}

void SetIfGiven(QWidget* dialog, const char* name, const QString& text) {
  if (text.isEmpty()) return;
  auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
  if (edit) edit->setText(text);
}

}  // namespace

int WaitingAnswers() { return g_waiting; }

void AnswerNextModal(std::function<bool(QWidget*)> answer) {
  auto* timer = new QTimer(qApp);
  auto polls = std::make_shared<int>(0);
  const QString armedIn = TestPlace();
  ++g_waiting;
  auto finish = [timer] {
    --g_waiting;
    timer->deleteLater();
  };
  QObject::connect(timer, &QTimer::timeout, timer, [timer, polls, armedIn, finish, answer = std::move(answer)] {
    // Stopped while answering: an answer may open another modal loop (a message on OK).
    timer->stop();
    QWidget* modal = QApplication::activeModalWidget();
    if (TestPlace() != armedIn) {
      // Left over: it would answer a dialog of another test.
      Fail(QStringLiteral("an answer armed in %1 found no dialog there").arg(armedIn));
      finish();
      return;
    }
    if (modal && modal->isVisible()) {
      const QPointer<QWidget> answered(modal);
      const QString described = Describe(modal);
      if (answer(modal)) {
        qDebug("QV_DIALOG_ANSWERED %s", qPrintable(described));
        finish();
        // The answer must have closed it: a dialog left open would wait for ever.
        if (answered && answered->isVisible() && QApplication::activeModalWidget() == answered) {
          Fail(QStringLiteral("%1 stayed open after its answer in %2").arg(described, armedIn));
          CloseModal(answered);
        }
        return;
      }
    }
    if (++*polls >= kGiveUpPolls) {
      Fail(QStringLiteral("an answer armed in %1 never found its dialog; closing %2").arg(armedIn, Describe(modal)));
      finish();
      if (modal && modal->isVisible()) CloseModal(modal);
      return;
    }
    timer->start();
  });
  timer->start(kPollMilliseconds);
}

void WatchForUnansweredDialogs() {
  static QPointer<QTimer> watch;
  if (watch) return;
  watch = new QTimer(qApp);
  auto seen = std::make_shared<QPointer<QWidget>>();
  auto since = std::make_shared<QElapsedTimer>();
  QObject::connect(watch, &QTimer::timeout, watch, [seen, since] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || g_waiting > 0) {
      *seen = nullptr;
      return;
    }
    if (*seen != modal) {
      *seen = modal;
      since->start();
      return;
    }
    if (since->elapsed() < kUnansweredMilliseconds) return;
    *seen = nullptr;
    Fail(QStringLiteral("%1 opened in %2 and no answer was armed for it; closed").arg(Describe(modal), TestPlace()));
    CloseModal(modal);
  });
  watch->start(kWatchMilliseconds);
}

void AnswerNextDialog(const char* objectName, std::function<void(QWidget*)> look, bool ok) {
  AnswerNextModal([name = QString::fromLatin1(objectName), look, ok](QWidget* modal) {
    if (modal->objectName() != name) return false;
    look(modal);
    modal->findChild<QDialogButtonBox*>(QStringLiteral("buttons"))
        ->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)
        ->click();
    return true;
  });
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
    SetIfGiven(modal, "bevelWidth", answer.bevelWidth);
    SetIfGiven(modal, "bevelDepth", answer.bevelDepth);
    SetIfGiven(modal, "bevelSegments", answer.bevelSegments);
    if (answer.bevelShape >= 0)
      modal->findChild<QComboBox*>(QStringLiteral("bevelShape"))->setCurrentIndex(answer.bevelShape);
    if (answer.kerning >= 0) modal->findChild<QCheckBox*>(QStringLiteral("kerning"))->setChecked(answer.kerning == 1);
    SetIfGiven(modal, "tracking", answer.tracking);
    auto* buttons = modal->findChild<QDialogButtonBox*>(QStringLiteral("buttons"));
    buttons->button(answer.ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    return true;
  });
}

namespace {

// The index of the first name filter whose patterns fit the file's name, else 0.
int FilterFitting(const QStringList& filters, const QString& path) {
  const QString name = QFileInfo(path).fileName();
  for (int i = 0; i < filters.size(); ++i) {
    const QRegularExpressionMatch inside = QRegularExpression(QStringLiteral("\\(([^)]*)\\)")).match(filters[i]);
    for (const QString& pattern : inside.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts))
      if (QRegularExpression::fromWildcard(pattern, Qt::CaseInsensitive).match(name).hasMatch()) return i;
  }
  return 0;
}

void AnswerNextFileDialog(QFileDialog::AcceptMode mode, const QString& path, int type, QStringList* offered) {
  AnswerNextModal([mode, path, type, offered](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog || dialog->acceptMode() != mode) return false;
    AnswerFileDialog(dialog, path, type, offered);
    return true;
  });
}

}  // namespace

void AnswerFileDialog(QFileDialog* dialog, const QString& path, int type, QStringList* offered) {
  const QStringList filters = dialog->nameFilters();
  if (offered) *offered = filters;
  dialog->selectNameFilter(filters.value(type < 0 ? FilterFitting(filters, path) : type));
  dialog->selectFile(path);  // the folder
  // The name as typed: selectFile leaves the name field alone while it has the keyboard focus,
  // which it gets once the window manager (or the X server without one) activates the dialog, a
  // moment after it is shown. Answered before that moment the dialog took the name; after it,
  // OK found the field empty and the dialog stayed open waiting for a name.
  if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
    name->setText(QFileInfo(path).fileName());
  QMetaObject::invokeMethod(dialog, "accept");  // the dialog's Save / Open button
}

void AnswerNextSaveDialog(const QString& path, int type, QStringList* offered) {
  AnswerNextFileDialog(QFileDialog::AcceptSave, path, type, offered);
}

void AnswerNextOpenDialog(const QString& path, QStringList* offered) {
  AnswerNextFileDialog(QFileDialog::AcceptOpen, path, -1, offered);
}

}  // namespace qv::test
