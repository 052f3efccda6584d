// Menus, toolbar buttons and accelerators reach the document's commands; their enable and check
// marks follow the document's rules; playback runs with the frame rate's period; dropped files.
#include <QComboBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>
#include <functional>

#include "document/command_ids.h"
#include "document/command_layout.h"
#include "document/motion_doc.h"
#include "platform/font_catalog.h"
#include "support/desktop/desktop_test.h"
#include "support/desktop/modal_dialogs.h"
#include "ui/command_actions.h"
#include "ui/control_bar_widget.h"
#include "ui/main_window.h"
#include "ui/panes/model_tree_pane.h"
#include "ui/viewport_widget.h"
#include "viewport/camera.h"

using qv::CommandId;
using qv::testing::ScriptedInteraction;

namespace {

bool AddTextModel(qv::CMotionDoc& document) {
  qv::TextParameters text = document.m_textDefaults;
  text.fontName = "DejaVu Sans";
  text.text = "Q";
  return document.CreateText(text);
}

void SelectFirstModel(qv::ui::MainWindow& window) {
  window.document().scene().m_selectedModel = 0;
  window.document().OnMouseMode(qv::kMouseAnimation);  // kSelection, as a click in the tree sends
}

}  // namespace

class CommandsTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    if (!qv::IsFamilyInstalled("DejaVu Sans")) QSKIP("DejaVu Sans is not installed");
  }

  void menuStatesFollowTheDocument_data() {
    QTest::addColumn<int>("state");
    QTest::newRow("empty scene") << 0;
    QTest::newRow("a model, none selected") << 1;
    QTest::newRow("selected, a key added, rotate mode") << 2;
    QTest::newRow("follow, linear, flat shading, bars hidden") << 3;
  }
  void menuStatesFollowTheDocument() {
    QFETCH(int, state);
    ScriptedInteraction ui;
    qv::ui::MainWindow window(nullptr, &ui);
    struct Expect {
      CommandId command;
      bool enabled, checked;
    };
    std::vector<Expect> expected;
    if (state >= 1) QVERIFY(AddTextModel(window.document()));
    switch (state) {
      case 0:
      case 1:
        expected = {{CommandId::kAddKeySelected, false, false}, {CommandId::kKeyFrameDialog, false, false},
                    {CommandId::kCopyAllFrames, false, false},  {CommandId::kUndo, false, false},
                    {CommandId::kMoveMode, true, true},         {CommandId::kRotateMode, true, false},
                    {CommandId::kSmoothShading, true, true},    {CommandId::kControlToolbar, true, true},
                    {CommandId::kPlay, true, false}};
        break;
      case 2:
        SelectFirstModel(window);
        window.RunCommand(CommandId::kAddKeySelected);
        window.RunCommand(CommandId::kRotateMode);
        expected = {{CommandId::kAddKeySelected, true, false}, {CommandId::kDeleteKeyAll, true, false},
                    {CommandId::kCopyAllFrames, true, false},  {CommandId::kMoveMode, true, false},
                    {CommandId::kRotateMode, true, true},      {CommandId::kScaleMode, true, false}};
        break;
      case 3:
        window.RunCommand(CommandId::kFollowModel);
        window.RunCommand(CommandId::kHermite);
        window.RunCommand(CommandId::kSmoothShading);
        window.RunCommand(CommandId::kControlToolbar);
        window.RunCommand(CommandId::kStatusBar);
        expected = {{CommandId::kFollowModel, true, true},   {CommandId::kHermite, true, false},
                    {CommandId::kSmoothShading, true, false}, {CommandId::kControlToolbar, true, false},
                    {CommandId::kStatusBar, true, false},     {CommandId::kMainToolbar, true, true}};
        QVERIFY(window.controlToolbar()->isHidden());
        QVERIFY(window.statusBar()->isHidden());
        break;
    }
    for (const Expect& e : expected) {
      QAction* item = window.action(e.command);
      QVERIFY2(item, qPrintable(QString::number(int(e.command))));
      QCOMPARE(item->isEnabled(), e.enabled);
      QVERIFY2(item->isChecked() == e.checked, qPrintable(QString::number(int(e.command))));
    }
    // Every item agrees with the document's rules in every state.
    for (const qv::Menu& menu : qv::MenuBar())
      for (const qv::MenuItem& entry : menu.items)
        if (QAction* item = window.action(entry.command)) {
          QCOMPARE(item->isEnabled(), window.IsCommandEnabled(entry.command));
          if (item->isCheckable()) QCOMPARE(item->isChecked(), window.IsCommandChecked(entry.command));
        }
  }

  void acceleratorKeysAreTheKeysTheyName() {
    // The key table's texts as Qt reads them, in the table's order: one key each, modifiers and all.
    constexpr auto C = Qt::CTRL;
    constexpr auto A = Qt::ALT;
    constexpr auto S = Qt::SHIFT;
    const QKeyCombination expected[] = {
        C | Qt::Key_A,      A | Qt::Key_A,      C | Qt::Key_B,      A | Qt::Key_B,      C | Qt::Key_C,
        C | Qt::Key_D,      A | Qt::Key_D,      C | Qt::Key_E,      C | Qt::Key_F,      C | Qt::Key_G,
        A | Qt::Key_G,      C | Qt::Key_H,      C | Qt::Key_I,      A | Qt::Key_I,      C | Qt::Key_J,
        A | Qt::Key_J,      C | Qt::Key_K,      A | Qt::Key_K,      C | Qt::Key_L,      A | Qt::Key_L,
        C | Qt::Key_M,      A | Qt::Key_M,      C | Qt::Key_N,      A | Qt::Key_N,      C | Qt::Key_O,
        C | Qt::Key_P,      A | Qt::Key_P,      C | Qt::Key_Q,      A | Qt::Key_Q,      C | Qt::Key_R,
        A | Qt::Key_R,      C | Qt::Key_S,      C | Qt::Key_T,      C | Qt::Key_U,      A | Qt::Key_U,
        C | Qt::Key_V,      A | Qt::Key_Delete, S | Qt::Key_Delete, Qt::Key_F1,         S | Qt::Key_F1,
        Qt::Key_F2,         S | Qt::Key_F2,     Qt::Key_F3,         S | Qt::Key_F3,     Qt::Key_F6,
        S | Qt::Key_F6,     C | Qt::Key_Insert, S | Qt::Key_Insert, A | Qt::Key_W,      C | Qt::Key_X,
        A | Qt::Key_X,      C | Qt::Key_Y,      C | Qt::Key_Z,      A | Qt::Key_Z,      Qt::Key_F4,
    };
    const std::vector<qv::Accelerator>& accelerators = qv::Accelerators();
    QCOMPARE(accelerators.size(), std::size(expected));
    for (size_t i = 0; i < accelerators.size(); ++i) {
      const QKeySequence key = qv::ui::AcceleratorKey(accelerators[i]);
      QVERIFY2(key.count() == 1, accelerators[i].key);
      QVERIFY2(key[0] == expected[i], accelerators[i].key);
    }
    ScriptedInteraction ui;
    qv::ui::MainWindow window(nullptr, &ui);
    QCOMPARE(window.shortcutCount(), int(accelerators.size()));
  }

  void acceleratorsReachTheirCommands_data() {
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<int>("check");
    QTest::newRow("Ctrl+R rotate") << QKeyCombination(Qt::CTRL | Qt::Key_R) << 0;
    QTest::newRow("Ctrl+L scale") << QKeyCombination(Qt::CTRL | Qt::Key_L) << 1;
    QTest::newRow("Ctrl+E next frame") << QKeyCombination(Qt::CTRL | Qt::Key_E) << 2;
    QTest::newRow("Ctrl+F previous frame") << QKeyCombination(Qt::CTRL | Qt::Key_F) << 3;
    QTest::newRow("Ctrl+J last frame") << QKeyCombination(Qt::CTRL | Qt::Key_J) << 4;
    QTest::newRow("Ctrl+P add key") << QKeyCombination(Qt::CTRL | Qt::Key_P) << 5;
    QTest::newRow("F4 follow") << QKeyCombination(Qt::Key_F4) << 6;
    QTest::newRow("Alt+P shading") << QKeyCombination(Qt::ALT | Qt::Key_P) << 7;
    QTest::newRow("Alt+B control toolbar") << QKeyCombination(Qt::ALT | Qt::Key_B) << 8;
    QTest::newRow("Alt+A main toolbar") << QKeyCombination(Qt::ALT | Qt::Key_A) << 9;
    QTest::newRow("F2 camera from above") << QKeyCombination(Qt::Key_F2) << 10;
    QTest::newRow("Shift+F3 camera from behind") << QKeyCombination(Qt::SHIFT | Qt::Key_F3) << 11;
    QTest::newRow("Ctrl+C camera mouse") << QKeyCombination(Qt::CTRL | Qt::Key_C) << 12;
    QTest::newRow("Ctrl+B play") << QKeyCombination(Qt::CTRL | Qt::Key_B) << 13;
    QTest::newRow("Ctrl+Z undo") << QKeyCombination(Qt::CTRL | Qt::Key_Z) << 14;
    QTest::newRow("Alt+D does nothing") << QKeyCombination(Qt::ALT | Qt::Key_D) << 15;
    QTest::newRow("Ctrl+Insert does nothing") << QKeyCombination(Qt::CTRL | Qt::Key_Insert) << 15;
    QTest::newRow("Shift+F6 does nothing") << QKeyCombination(Qt::SHIFT | Qt::Key_F6) << 15;
  }
  void acceleratorsReachTheirCommands() {
    QFETCH(QKeyCombination, key);
    QFETCH(int, check);
    ScriptedInteraction ui;
    qv::ui::MainWindow window(nullptr, &ui);
    QVERIFY(AddTextModel(window.document()));
    SelectFirstModel(window);
    window.RunCommand(CommandId::kNextFrame);
    window.RunCommand(CommandId::kAddKeySelected);
    window.controlBar()->model().xText = "5";  // something to undo
    window.controlBar()->model().CommitXYZ();
    window.document().SetModifiedFlag(false);
    QVERIFY(qv::testing::ShowAndWait(window));
    qv::Scene& scene = window.document().scene();
    const qv::CAnimation cameraBefore = qv::CameraPose(scene);
    const size_t undoBefore = scene.m_undoStack.size();
    QVERIFY(undoBefore > 0);
    window.viewport()->setFocus();

    QTest::keyClick(&window, key.key(), key.keyboardModifiers());
    const std::function<bool()> checks[] = {
        [&] { return scene.m_transformMode == qv::kTransformRotate; },
        [&] { return scene.m_transformMode == qv::kTransformScale; },
        [&] { return scene.m_currentFrame == 2; },
        [&] { return scene.m_currentFrame == 0; },
        [&] { return scene.m_currentFrame == scene.m_lastFrame; },
        [&] { return window.document().IsModified() && scene.m_models[0].m_tracks[0][1].m_key == 1; },
        [&] { return scene.m_followModel && window.action(CommandId::kFollowModel)->isChecked(); },
        [&] { return scene.m_smoothShading == 0; },
        [&] { return window.controlToolbar()->isHidden(); },
        [&] { return window.mainToolbar()->isHidden(); },
        [&] { return !(qv::CameraPose(scene).m_rotation == cameraBefore.m_rotation); },
        [&] { return !(qv::CameraPose(scene).m_rotation == cameraBefore.m_rotation); },
        [&] { return window.document().m_mouseMode == qv::kMouseCamera && !scene.HasValidSelection(); },
        [&] { return window.controlBar()->timer().isActive(); },
        [&] { return scene.m_undoStack.size() < undoBefore; },
        [&] {
          return scene.m_currentFrame == 1 && !window.document().IsModified() && scene.m_transformMode == 0 &&
                 scene.m_undoStack.size() == undoBefore;
        },
    };
    QVERIFY(checks[check]());
  }

  void playbackRunsWithTheFrameRatesPeriod_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<int>("period");
    QTest::newRow("30 from the list") << "30" << false << 33;
    QTest::newRow("60 from the list") << "60" << false << 16;
    QTest::newRow("1000 from the list") << "1000" << false << 1;
    QTest::newRow("typed 24") << "24" << true << 41;
    QTest::newRow("typed 0 counts as 30") << "0" << true << 33;
    QTest::newRow("typed text counts as 30") << "fast" << true << 33;
  }
  void playbackRunsWithTheFrameRatesPeriod() {
    QFETCH(QString, entry);
    QFETCH(bool, typed);
    QFETCH(int, period);
    ScriptedInteraction ui;
    qv::ui::MainWindow window(nullptr, &ui);
    qv::ui::ControlBarWidget& bar = *window.controlBar();
    QComboBox* fps = bar.frameRateBox();
    if (typed) {
      fps->setEditText(entry);
    } else {
      fps->setCurrentIndex(fps->findText(entry));
      emit fps->textActivated(entry);
      QVERIFY(window.document().IsModified());
    }
    window.RunCommand(CommandId::kPlay);
    QVERIFY(bar.timer().isActive());
    QCOMPARE(bar.timer().interval(), period);
    QCOMPARE(bar.timer().timerType(), Qt::PreciseTimer);
    QTRY_VERIFY(window.document().scene().m_currentFrame >= 3);
    QCOMPARE(bar.currentFrameField()->text().toInt(), window.document().scene().m_currentFrame);
    window.RunCommand(CommandId::kStop);
    QVERIFY(!bar.timer().isActive());
    QVERIFY(!window.document().m_playing);
  }

  void theSliderShowsATickPerKey() {
    ScriptedInteraction ui;
    qv::ui::MainWindow window(nullptr, &ui);
    QVERIFY(AddTextModel(window.document()));
    SelectFirstModel(window);
    for (int frame : {10, 25}) {
      window.controlBar()->currentFrameField()->setText(QString::number(frame));
      emit window.controlBar()->currentFrameField()->editingFinished();
      window.RunCommand(CommandId::kAddKeySelected);
    }
    QCOMPARE(window.controlBar()->slider()->Ticks(), (std::vector<int32_t>{0, 10, 25}));
    QCOMPARE(window.controlBar()->slider()->maximum(), 60);
    window.RunCommand(CommandId::kMouseCamera);  // no selection, no ticks
    QVERIFY(window.controlBar()->slider()->Ticks().empty());
  }

  void droppedFilesAreOpenedOrImported() {
    ScriptedInteraction ui;
    qv::ui::MainWindow window(nullptr, &ui);
    const QString mqo = QStringLiteral(QV_TEST_DATA_DIR "/mqo/single_object_with_bvertex.mqo");
    const QString document = qv::testing::TestFolder() + "/dropped.qvlogo";
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto drop = [&](const QStringList& paths) {
      QMimeData data;
      QList<QUrl> urls;
      for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
      data.setUrls(urls);
      const QPoint at = window.centralWidget()->geometry().center();
      QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(&window, &enter);
      QVERIFY(enter.isAccepted());
      QDropEvent event(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(&window, &event);
    };
    drop({mqo, qv::testing::TestFolder() + "/notes.txt", mqo});
    const size_t imported = window.document().scene().m_models.size();
    QVERIFY2(imported >= 2, ui.messages.empty() ? "" : ui.messages.front().c_str());
    QVERIFY(window.document().IsModified());
    QVERIFY(window.document().DoStore(document.toStdString()));
    window.RunCommand(CommandId::kNew);
    drop({document, mqo});  // the document is opened and the rest of the drop ignored
    QCOMPARE(QString::fromStdString(window.document().path()), document);
    QCOMPARE(window.document().scene().m_models.size(), imported);
    QCOMPARE(window.windowTitle(), "Quorvel Logo 0.2 - " + document);
  }

  void theFileMenuImportsAMetasequoiaFile() {
    ScriptedInteraction ui;
    qv::ui::MainWindow window(nullptr, &ui);
    QVERIFY(qv::testing::ShowAndWait(window));
    const QString mqo = QStringLiteral(QV_TEST_DATA_DIR "/mqo/single_object_with_bvertex.mqo");
    // In the file menu, the model tree's own command.
    QMenu* file = window.menuBar()->actions().value(0)->menu();
    QAction* item = window.action(CommandId::kAddModel);
    QVERIFY(item && file->actions().contains(item));
    QVERIFY(item->isEnabled());
    QStringList offered;
    qv::test::AnswerNextOpenDialog(mqo, &offered);
    item->trigger();
    QCOMPARE(offered, QStringList{QString::fromUtf8("Metasequoiaファイル (*.mqo)")});
    const size_t imported = window.document().scene().m_models.size();
    QVERIFY2(imported >= 1, ui.messages.empty() ? "" : ui.messages.front().c_str());
    QVERIFY(window.document().IsModified());
    QCOMPARE(window.modelTree()->topLevelItem(0)->childCount(), int(imported));
    // Its key works outside the tree too: the focus on the viewport.
    window.viewport()->setFocus();
    qv::test::AnswerNextOpenDialog(mqo);
    QTest::keyClick(window.viewport(), Qt::Key_X, Qt::AltModifier);
    QCOMPARE(window.document().scene().m_models.size(), 2 * imported);
  }

  void closingAsksToSaveChanges() {
    ScriptedInteraction ui;
    qv::ui::MainWindow window(nullptr, &ui);
    window.show();
    QVERIFY(AddTextModel(window.document()));
    ui.saveChanges = qv::SaveChangesAnswer::kCancel;
    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    ui.saveChanges = qv::SaveChangesAnswer::kNo;
    QVERIFY(window.close());
  }
};

QV_DESKTOP_TEST_MAIN(CommandsTest)
#include "commands_test.moc"
