// The modal-answer helpers never let a test hang: each function of the inner test below goes wrong
// in one way (an answer whose dialog never comes, a dialog nobody answers, an answer that leaves
// its dialog open, an answer left over from an earlier test) and must come back failed within
// seconds with its own message. The program runs the inner test, then checks its log: every
// function failed, for the reason it was made for, and nothing else failed.
#include <QFile>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "support/desktop/desktop_test.h"
#include "support/desktop/modal_dialogs.h"

namespace {

int ShowBox(QMessageBox::StandardButtons buttons) {
  QMessageBox box(QMessageBox::Information, "Quorvel Motion", "?", buttons);
  return box.exec();
}

}  // namespace

class GoingWrongTest : public QObject {
  Q_OBJECT
 private slots:
  void aDialogNobodyAnswers() {
    ShowBox(QMessageBox::Ok);  // closed by the watch
  }

  void anAnswerWhoseDialogNeverComes() {
    qv::test::AnswerNextMessageBox(QMessageBox::Ok);
    QTRY_VERIFY_WITH_TIMEOUT(qv::test::WaitingAnswers() == 0, 30000);
  }

  void anAnswerThatLeavesItsDialogOpen() {
    qv::test::AnswerNextModal([](QWidget* modal) { return qobject_cast<QMessageBox*>(modal) != nullptr; });
    ShowBox(QMessageBox::Ok);
  }

  void anAnswerLeftOver() { qv::test::AnswerNextMessageBox(QMessageBox::Ok); }

  void theNextTestIsNotAnsweredByIt() {
    qv::test::AnswerNextMessageBox(QMessageBox::Cancel);
    QCOMPARE(ShowBox(QMessageBox::Ok | QMessageBox::Cancel), int(QMessageBox::Cancel));
  }
};

int main(int argc, char** argv) {
  qv::testing::PrepareDesktopTestEnvironment();
  QApplication app(argc, argv);
  qv::test::WatchForUnansweredDialogs();
  const QString log = qv::testing::TestFolder() + "/inner.txt";
  GoingWrongTest inner;
  const int failed = QTest::qExec(&inner, {QString::fromLocal8Bit(argv[0]), "-o", log + ",txt", "-o", "-,txt"});
  QFile file(log);
  if (!file.open(QIODevice::ReadOnly)) return 1;
  const QString text = QString::fromUtf8(file.readAll());
  const std::pair<const char*, const char*> expected[] = {
      {"aDialogNobodyAnswers", "no answer was armed for it"},
      {"anAnswerWhoseDialogNeverComes", "never found its dialog"},
      {"anAnswerThatLeavesItsDialogOpen", "stayed open after its answer"},
      {"theNextTestIsNotAnsweredByIt", "an answer armed in anAnswerLeftOver found no dialog there"},
  };
  int problems = 0;
  for (const auto& [function, reason] : expected) {
    const QRegularExpression failure(QStringLiteral("FAIL!  : GoingWrongTest::%1\\(\\)[^\\n]*%2")
                                         .arg(QLatin1String(function), QRegularExpression::escape(QLatin1String(reason))));
    if (!failure.match(text).hasMatch()) {
      qWarning("%s did not fail with \"%s\"", function, reason);
      ++problems;
    }
  }
  if (failed != int(std::size(expected))) {
    qWarning("%d inner test functions failed, %d expected", failed, int(std::size(expected)));
    ++problems;
  }
  if (!problems) qInfo("every way of going wrong failed the test in time");
  return problems ? 1 : 0;
}

#include "modal_answers_test.moc"
