// Without a usable OpenGL the viewport pane says so, and everything else works on.
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "document/command_ids.h"
#include "document/motion_doc.h"
#include "support/desktop/desktop_test.h"
#include "ui/control_bar_widget.h"
#include "ui/dialogs/create_text_dialog.h"
#include "ui/main_window.h"
#include "ui/viewport_widget.h"

class ViewportFallbackTest : public QObject {
  Q_OBJECT
 private slots:
  void aMessageTakesTheViewportsPlace() {
    qv::testing::ScriptedInteraction ui;
    qv::ui::MainWindow window(nullptr, &ui);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!window.viewport() || !window.viewport()->HasDevice());
    QTRY_VERIFY(window.viewportPane()->message().contains("OpenGL"));

    // The rest of the program: a text model, a key, frames and saving.
    qv::TextParameters text = window.document().m_textDefaults;
    text.fontName = "DejaVu Sans";
    text.text = "A";
    QVERIFY(window.document().CreateText(text));
    window.document().scene().m_selectedModel = 0;
    window.RunCommand(qv::CommandId::kAddKeySelected);
    window.RunCommand(qv::CommandId::kLastFrame);
    QCOMPARE(window.controlBar()->currentFrameField()->text(), QString("60"));
    QVERIFY(window.document().DoStore((qv::testing::TestFolder() + "/no-gl.qvlogo").toStdString()));
  }

  void theCreateTextDialogTellsWhyItHasNoPreview() {
    qv::TextParameters preset;
    preset.fontName = "DejaVu Sans";
    qv::ui::CreateTextDialog dialog(preset, {"DejaVu Sans"});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(!dialog.preview());
    auto* note = dialog.findChild<QLabel*>("previewNote");
    QVERIFY(note);
    QVERIFY2(note->isVisible() && note->text().contains("OpenGL"), qPrintable(note->text()));
    dialog.textEdit()->setText("A");  // typing goes on without a preview
    dialog.findChild<QDialogButtonBox*>("buttons")->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(QString::fromStdString(dialog.values().text), QString("A"));
  }
};

int main(int argc, char** argv) {
  // An X server whose OpenGL is switched off.
  qputenv("QT_XCB_GL_INTEGRATION", "none");
  qv::testing::PrepareDesktopTestEnvironment();
  QApplication app(argc, argv);
  qv::test::WatchForUnansweredDialogs();
  ViewportFallbackTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "viewport_fallback_test.moc"
