// A session through the real window with the left panes: two texts, the first made red through
// the material dialog with a texture, the second dragged under the first in the model tree, play,
// then the red logo in the viewport and in the exported web page played by Chromium.
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

#include "document/command_ids.h"
#include "document/motion_doc.h"
#include "platform/font_catalog.h"
#include "support/desktop/desktop_test.h"
#include "support/desktop/modal_dialogs.h"
#include "support/desktop/window_gestures.h"
#include "ui/main_window.h"
#include "ui/panes/material_dialog.h"
#include "ui/panes/material_list_pane.h"
#include "ui/panes/model_tree_pane.h"
#include "ui/viewport_widget.h"

using qv::CommandId;
using namespace qv::testing;

namespace {

// Clearly red pixels in an area of a picture.
int RedPixels(const QImage& image, const QRect& area) {
  int count = 0;
  const QRect inside = area & image.rect();
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 120 && c.red() > 3 * c.green() && c.red() > 3 * c.blue()) ++count;
    }
  return count;
}

}  // namespace

class MaterialSessionTest : public QObject {
  Q_OBJECT
 private slots:
  // The main window has accelerators for the same keys; while the tree has the focus they are the
  // tree's.
  void theTreesKeysReachItInsideTheWindow() {
    if (!qv::IsFamilyInstalled("DejaVu Sans")) QSKIP("DejaVu Sans is not installed");
    qv::ui::MainWindow window;
    QVERIFY(ShowAndWait(window));
    QVERIFY(CreateTextThroughDialog(window, "DejaVu Sans", "Q"));
    auto* tree = window.findChild<qv::ui::ModelTreePane*>();
    qv::Scene& scene = window.document().scene();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->topLevelItem(0)->child(0)).center());
    QCOMPARE(scene.m_selectedModel, 0);
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_M, Qt::AltModifier);
    QCOMPARE(scene.m_models[0].m_visible, 0);
    QTest::keyClick(tree, Qt::Key_M, Qt::AltModifier);
    QCOMPARE(scene.m_models[0].m_visible, 1);
    QTest::keyClick(tree, Qt::Key_Z, Qt::AltModifier);
    auto* editor = tree->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor && editor->isVisible());
    QTest::keyClick(editor, Qt::Key_Escape);
    QTRY_VERIFY(!tree->treeModel().IsRenaming());
    QTest::keyClick(tree, Qt::Key_Delete, Qt::AltModifier);
    QVERIFY(scene.m_models.empty());
  }

  void aRedLogoWithAChildFromTheMaterialDialogToTheWebPage() {
    if (!qv::IsFamilyInstalled("DejaVu Sans")) QSKIP("DejaVu Sans is not installed");
    const QString folder = TestFolder() + "/material-session";
    QVERIFY(QDir().mkpath(folder + "/images"));
    QVERIFY(QDir().mkpath(folder + "/web"));
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(QColor(255, 0, 0));
    const QString texture = folder + "/images/red.png";
    QVERIFY(red.save(texture));

    qv::ui::MainWindow window;
    window.resize(1100, 850);
    QVERIFY(ShowAndWait(window));
    qv::CMotionDoc& doc = window.document();
    qv::Scene& scene = doc.scene();
    auto* tree = window.findChild<qv::ui::ModelTreePane*>();
    auto* list = window.findChild<qv::ui::MaterialListPane*>();
    QVERIFY(tree && list);
    const QRect viewportArea(window.viewport()->mapTo(&window, QPoint(0, 0)), window.viewport()->size());

    QVERIFY(CreateTextThroughDialog(window, "DejaVu Sans", "Q"));
    QVERIFY(CreateTextThroughDialog(window, "DejaVu Sans", "L"));
    QCOMPARE(scene.m_models.size(), size_t(2));
    QVERIFY(WaitForViewportFrame(window));
    const int redBefore = RedPixels(GrabWindow(window), viewportArea);  // the grid's red axis

    // The first text's material, red through the dialog, with a red texture.
    const int material = scene.m_models[0].m_faces.front().m_material;
    QVERIFY(material >= 0 && material < list->topLevelItemCount());
    bool answered = false;
    qv::test::AnswerNextModal([&](QWidget* widget) {
      auto* dialog = qobject_cast<qv::ui::MaterialDialog*>(widget);
      if (!dialog) return false;
      dialog->findChild<QLineEdit*>("redEdit")->setText("1");
      dialog->findChild<QLineEdit*>("greenEdit")->setText("0");
      dialog->findChild<QLineEdit*>("blueEdit")->setText("0");
      qv::test::AnswerNextModal([&](QWidget* files) {
        if (!qobject_cast<QFileDialog*>(files)) return false;
        files->findChild<QLineEdit*>("fileNameEdit")->setText(texture);
        static_cast<QDialog*>(files)->accept();
        return true;
      });
      dialog->findChild<QPushButton*>("textureButton")->click();
      answered = dialog->findChild<QLineEdit*>("textureEdit")->text() == texture;  // outside the Texture folder
      dialog->accept();
      return true;
    });
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       list->visualItemRect(list->topLevelItem(material)).center());
    QVERIFY(answered);
    QCOMPARE(scene.m_materials[material].m_texture, texture.toStdString());
    QCOMPARE(scene.m_materials[material].m_color[1], 0.0f);
    QVERIFY(!scene.m_materials[material].m_image.empty());

    // The second text dragged onto the first in the tree.
    QWidget* treeView = tree->viewport();
    const QPoint from = tree->visualItemRect(tree->ItemOfRow(tree->treeModel().RowOfModel(1))).center();
    const QPoint onto = tree->visualItemRect(tree->ItemOfRow(tree->treeModel().RowOfModel(0))).center();
    QTest::mousePress(treeView, Qt::LeftButton, {}, from);
    QTest::mouseMove(treeView, from + QPoint(6, -6));
    QTest::mouseMove(treeView, onto);
    QCOMPARE(tree->ShownDropCursor(), qv::ui::DropCursor::kAllowed);
    QTest::mouseRelease(treeView, Qt::LeftButton, {}, onto);
    QCOMPARE(scene.m_models[1].m_parent, 0);
    QCOMPARE(tree->topLevelItem(0)->child(0)->child(0)->text(0), QString("L"));

    // Play a few frames; the red logo is on the screen.
    ClickToolbarButton(window, CommandId::kPlay);
    QTRY_VERIFY(scene.m_currentFrame >= 3);
    ClickToolbarButton(window, CommandId::kStop);
    QVERIFY(WaitForViewportFrame(window));
    const QImage shown = GrabWindow(window);
    if (qEnvironmentVariableIsSet("QV_DESKTOP_SHOTS"))
      shown.save(qEnvironmentVariable("QV_DESKTOP_SHOTS") + "/material-session.png");
    const int redAfter = RedPixels(shown, viewportArea);
    QVERIFY2(redAfter > redBefore + 1000, qPrintable(QString("%1 -> %2").arg(redBefore).arg(redAfter)));

    // The web page, played in Chromium.
    qv::test::AnswerNextSaveDialog(folder + "/web/Logo.html", 1);
    qv::test::AnswerNextMessageBox(QMessageBox::No);  // the page is played below, not in a browser
    ClickToolbarButton(window, CommandId::kSaveAs);
    QVERIFY(QFile::exists(folder + "/web/webgl/Model_Logo.js"));
    QFile::copy(texture, folder + "/web/red.png");  // the page names the texture by its file name
    const QString node = QStandardPaths::findExecutable("node");
    if (node.isEmpty() || !QFile::exists(QV_SOURCE_DIR "/node_modules/playwright-core"))
      QSKIP("node or playwright-core is missing (npm ci in the repository)");
    const QString shot = folder + "/page.png";
    QProcess chromium;
    chromium.setProcessChannelMode(QProcess::ForwardedChannels);
    chromium.start(node, {QV_SOURCE_DIR "/tests/browser/page_screenshot.mjs", folder + "/web", "Logo.html", shot});
    QVERIFY(chromium.waitForFinished(120000));
    QCOMPARE(chromium.exitCode(), 0);
    const QImage page(shot);
    QVERIFY(!page.isNull());
    QVERIFY2(RedPixels(page, page.rect()) > 1000, qPrintable(QString::number(RedPixels(page, page.rect()))));
  }
};

QV_DESKTOP_TEST_MAIN(MaterialSessionTest)
#include "material_session_test.moc"
