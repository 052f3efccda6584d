// The material list pane and the material dialog as a person uses them: swatches read from the
// screen, selection, rename, delete, the colour dialog, the dialog's trackbars and edits, the
// number check and the texture file.
#include <QColorDialog>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

#include "document/motion_doc.h"
#include "platform/text_codec.h"
#include "support/animated_scene.h"
#include "support/desktop/desktop_test.h"
#include "ui/panes/material_dialog.h"
#include "ui/panes/material_list_pane.h"

using namespace qv;
using qv::ui::MaterialDialog;
using qv::ui::MaterialListPane;

class MaterialListPaneTest : public QObject {
  Q_OBJECT

  struct Fixture {
    SilentInteraction ui;
    CMotionDoc doc{ui};
    QWidget host;
    MaterialListPane* list;
    // One model with a face of each material: "Material" (0.8 grey), "Gold" (1.2, 0, 0.5), "Glass".
    Fixture() {
      list = new MaterialListPane(doc, &host);
      (new QVBoxLayout(&host))->addWidget(list);
      host.resize(240, 200);
      Scene& scene = doc.scene();
      testing::MakeAnimatedScene(scene, {"M"});
      const struct { const char* name; float r, g, b; } materials[] = {
          {"Material", 0.8f, 0.8f, 0.8f}, {"Gold", 1.2f, 0.0f, 0.5f}, {"Glass", 0.0f, 0.0f, 1.0f}};
      for (const auto& m : materials) {
        CMaterial material;
        material.m_name = m.name;
        material.m_color[0] = m.r;
        material.m_color[1] = m.g;
        material.m_color[2] = m.b;
        scene.m_materials.push_back(material);
      }
      for (int32_t m : {0, 1, 2}) {
        CFace face;
        face.m_material = m;
        scene.m_models[0].m_faces.push_back(face);
      }
      doc.UpdateAllViews(qv::Change::kDocument | Change::kModels);
      host.show();
      testing::ShowActive(host);
      list->setFocus();
    }
    QPoint PointOf(int row) { return list->visualItemRect(list->topLevelItem(row)).center(); }
    void RightClickAndChoose(int row, const char* action) {
      QTest::mousePress(list->viewport(), Qt::RightButton, {}, PointOf(row));
      QTRY_VERIFY(list->ContextMenu()->isVisible());
      list->ContextMenu()->hide();
      list->findChild<QAction*>(action)->trigger();
    }
    std::vector<int32_t> FaceMaterials() {
      std::vector<int32_t> out;
      for (const CFace& face : doc.scene().m_models[0].m_faces) out.push_back(face.m_material);
      return out;
    }
  };

 private slots:
  void swatchesShowTheWrappedColourBytesInABlackFrame_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QColor>("swatch");
    QTest::newRow("0.8 grey") << 0 << QColor(204, 204, 204);
    QTest::newRow("1.2 red wraps to 50") << 1 << QColor(50, 0, 127);
    QTest::newRow("blue") << 2 << QColor(0, 0, 255);
  }
  void swatchesShowTheWrappedColourBytesInABlackFrame() {
    QFETCH(int, row);
    QFETCH(QColor, swatch);
    Fixture f;
    QCOMPARE(f.list->columnWidth(0), 130);
    QCOMPARE(f.list->columnWidth(1), 50);
    QCOMPARE(f.list->headerItem()->text(0), QString("ﾏﾃﾘｱﾙ名"));
    QCOMPARE(f.list->headerItem()->text(1), QString("色"));
    const QImage screen = f.list->viewport()->grab().toImage();
    const QRect cell = f.list->visualRect(f.list->model()->index(row, 1));
    const int x = cell.left(), y = cell.top();
    QCOMPARE(screen.pixelColor(x + 1, y + 1), QColor(Qt::black));    // the frame's corners
    QCOMPARE(screen.pixelColor(x + 11, y + 11), QColor(Qt::black));
    QCOMPARE(screen.pixelColor(x + 6, y + 1), QColor(Qt::black));
    QCOMPARE(screen.pixelColor(x + 2, y + 2), swatch);                // inside
    QCOMPARE(screen.pixelColor(x + 10, y + 10), swatch);
    const QColor background = f.list->palette().color(row == 0 ? QPalette::Highlight : QPalette::Base);
    QCOMPARE(screen.pixelColor(x + 12, y + 6), background);           // beside the frame
    QCOMPARE(screen.pixelColor(x, y + 6), background);
  }

  void theSelectedRowFollowsTheSceneBothWays() {
    Fixture f;
    QCOMPARE(f.list->currentItem(), f.list->topLevelItem(0));
    QTest::mouseClick(f.list->viewport(), Qt::LeftButton, {}, f.PointOf(2));
    QCOMPARE(f.doc.scene().m_selectedMaterial, 2);
    QTest::keyClick(f.list, Qt::Key_Up);
    QCOMPARE(f.doc.scene().m_selectedMaterial, 1);
    f.doc.scene().m_selectedMaterial = 2;
    f.doc.UpdateAllViews(qv::Change::kAppearance);
    QCOMPARE(f.list->currentItem(), f.list->topLevelItem(2));
    QCOMPARE(f.list->selectedItems().size(), 1);
    // Below the last row: no material, and no row shows as selected.
    QTest::mouseClick(f.list->viewport(), Qt::LeftButton, {}, QPoint(20, f.list->viewport()->height() - 5));
    QCOMPARE(f.doc.scene().m_selectedMaterial, -1);
    QVERIFY(f.list->selectedItems().isEmpty());
  }

  void renameOnlyAfterTheCommandAndNeverToAnotherMaterialsName() {
    Fixture f;
    QTest::mouseClick(f.list->viewport(), Qt::LeftButton, {}, f.PointOf(1));
    QTest::keyClick(f.list, Qt::Key_F2);
    QVERIFY(!f.list->viewport()->findChild<QLineEdit*>());
    f.RightClickAndChoose(1, "renameMaterial");
    auto* editor = f.list->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->setText("MATERIAL");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(f.ui.messages, (std::vector<std::string>{kSameNameMessage}));
    QCOMPARE(f.list->topLevelItem(1)->text(0), QString("Gold"));
    QVERIFY(!f.doc.IsModified());
    f.RightClickAndChoose(1, "renameMaterial");
    editor = f.list->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->setText("金");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(f.list->topLevelItem(1)->text(0), QString("金"));
    QCOMPARE(f.doc.scene().m_materials[1].m_name, Utf8ToCp932("金"));
    QVERIFY(f.doc.IsModified());
  }

  void deletingMaterialsOneAndTwoOfThreeRenumbersFaces() {
    Fixture f;
    f.RightClickAndChoose(1, "deleteMaterial");
    QCOMPARE(f.FaceMaterials(), (std::vector<int32_t>{0, 1, 1}));
    QCOMPARE(f.list->topLevelItemCount(), 2);
    f.RightClickAndChoose(1, "deleteMaterial");  // now the last one
    QCOMPARE(f.FaceMaterials(), (std::vector<int32_t>{0, 0, 0}));
    QCOMPARE(f.list->topLevelItemCount(), 1);
    QCOMPARE(f.list->topLevelItem(0)->text(0), QString("Material"));
  }

  void theColourDialogSetsTheColour() {
    Fixture f;
    qv::test::AnswerNextModal<QColorDialog>([](QColorDialog* dialog) {
      QCOMPARE(dialog->currentColor(), QColor(0, 0, 255));
      dialog->setCurrentColor(QColor(255, 0, 51));
      dialog->accept();
    });
    f.RightClickAndChoose(2, "materialColor");
    const CMaterial& glass = f.doc.scene().m_materials[2];
    QCOMPARE(glass.m_color[0], 1.0f);
    QCOMPARE(glass.m_color[2], 0.2f);
    QVERIFY(f.doc.IsModified());
    const QImage screen = f.list->viewport()->grab().toImage();
    const QRect cell = f.list->visualRect(f.list->model()->index(2, 1));
    QCOMPARE(screen.pixelColor(cell.left() + 6, cell.top() + 6), QColor(255, 0, 51));
  }

  void theDialogsTrackbarsEditsNumberCheckAndTexture() {
    Fixture f;
    QTemporaryDir program;
    QVERIFY(QDir(program.path()).mkpath("Texture"));
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QString texture = program.path() + "/Texture/red.png";
    QVERIFY(red.save(texture));
    f.doc.m_programFolder = program.path().toStdString() + "/";

    bool answered = false;
    qv::test::AnswerNextModal<MaterialDialog>([&](MaterialDialog* dialog) {
      auto slider = [dialog](const char* name) { return dialog->findChild<QSlider*>(name); };
      auto edit = [dialog](const char* name) { return dialog->findChild<QLineEdit*>(name); };
      // Opened from (0.8, 0.8, 0.8, 1).
      QCOMPARE(slider("redTrackbar")->value(), 80);
      QCOMPARE(slider("alphaTrackbar")->value(), 100);
      QCOMPARE(edit("redEdit")->text(), QString("0.8"));
      QCOMPARE(edit("alphaEdit")->text(), QString("1"));
      // Trackbar to edit, edit to trackbar.
      slider("powerTrackbar")->setValue(37);
      QCOMPARE(edit("powerEdit")->text(), QString("37.000000"));
      slider("greenTrackbar")->setValue(25);
      QCOMPARE(edit("greenEdit")->text(), QString("0.250000"));
      QCOMPARE(edit("redEdit")->text(), QString("0.8"));  // the other edits keep their text
      edit("powerEdit")->setFocus();
      edit("powerEdit")->setText("12.9");
      edit("nameEdit")->setFocus();
      QTRY_COMPARE(slider("powerTrackbar")->value(), 12);
      // A float edit without a number: the message, then the focus back with the text selected.
      edit("redEdit")->setText("1.0x");
      qv::test::AnswerNextModal<QMessageBox>([](QMessageBox* box) {
        QCOMPARE(box->text(), QString("数字を入力してください。"));
        box->accept();
      });
      dialog->accept();
      QVERIFY(dialog->isVisible());
      QCOMPARE(dialog->focusWidget(), edit("redEdit"));
      QCOMPARE(edit("redEdit")->selectedText(), QString("1.0x"));
      // Red, then a texture inside the program's Texture folder, named relative to it.
      edit("redEdit")->setText("1");
      edit("greenEdit")->setText("0");
      edit("blueEdit")->setText("0");
      qv::test::AnswerNextModal<QFileDialog>([texture](QFileDialog* files) {
        QCOMPARE(QDir(files->directory()).canonicalPath(), QFileInfo(texture).dir().canonicalPath());
        files->findChild<QLineEdit*>("fileNameEdit")->setText(texture);  // typed, as a person would
        static_cast<QDialog*>(files)->accept();
      });
      dialog->findChild<QPushButton*>("textureButton")->click();
      QCOMPARE(edit("textureEdit")->text(), QString("red.png"));
      answered = true;
      dialog->accept();
    });
    QTest::mouseDClick(f.list->viewport(), Qt::LeftButton, {}, f.PointOf(0));
    QVERIFY(answered);
    const CMaterial& material = f.doc.scene().m_materials[0];
    QCOMPARE(material.m_color[0], 1.0f);
    QCOMPARE(material.m_color[1], 0.0f);
    QCOMPARE(material.m_power, 12.9f);
    QCOMPARE(material.m_texture, std::string("red.png"));
    QCOMPARE(material.m_image.width, 4);  // reloaded from the Texture folder
    QVERIFY(f.doc.IsModified());
    const QImage screen = f.list->viewport()->grab().toImage();
    const QRect cell = f.list->visualRect(f.list->model()->index(0, 1));
    QCOMPARE(screen.pixelColor(cell.left() + 6, cell.top() + 6), QColor(255, 0, 0));
  }
};

QV_DESKTOP_TEST_MAIN(MaterialListPaneTest)
#include "material_list_pane_test.moc"
