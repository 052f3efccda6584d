// The main window as a person meets it after start-up.
#include <QtTest>

#include "document/motion_doc.h"
#include "ui/main_window.h"

class MainWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void startsWithAnUntitledDocument() {
    qv::ui::MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!window.document().IsModified());
    QCOMPARE(window.windowTitle(), QString::fromUtf8("無題"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
