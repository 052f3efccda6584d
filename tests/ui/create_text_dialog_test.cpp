// The create-text dialog's bevel, kerning and tracking fields and its live preview, as a person
// meets them: what the fields open with and hand on, what the dialog refuses, and a preview that
// shows the text and follows every change while the document stays untouched until OK.
#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "document/motion_doc.h"
#include "document/text_checks.h"
#include "platform/font_catalog.h"
#include "support/desktop/desktop_test.h"
#include "support/desktop/modal_dialogs.h"
#include "ui/dialogs/create_text_dialog.h"
#include "ui/dialogs/document_dialogs.h"
#include "ui/dialogs/text_preview_widget.h"

using qv::ui::CreateTextDialog;
using qv::ui::TextPreviewWidget;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

void Click(QDialog* dialog, QDialogButtonBox::StandardButton which) {
  dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttons"))->button(which)->click();
}

// What the new fields show: width, depth, segments, shape index, kerning, tracking.
QStringList NewFields(const CreateTextDialog& dialog) {
  return {dialog.bevelWidthEdit()->text(),
          dialog.bevelDepthEdit()->text(),
          dialog.bevelSegmentsEdit()->text(),
          QString::number(dialog.bevelShapeBox()->currentIndex()),
          dialog.kerningBox()->isChecked() ? "on" : "off",
          dialog.trackingEdit()->text()};
}

qv::TextParameters DejaVu() {
  qv::TextParameters p;
  p.fontName = "DejaVu Sans";
  return p;
}

// Waits until the preview shows the dialog's latest values; then its picture.
QImage SettledPicture(TextPreviewWidget* preview) {
  if (!QTest::qWaitFor([preview] { return preview->isCurrent(); }, 10000)) return {};
  return preview->grabFramebuffer();
}

}  // namespace

class CreateTextDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void newFieldsOpenWithThePreset_data() {
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("depth");
    QTest::addColumn<int>("segments");
    QTest::addColumn<bool>("chamfer");
    QTest::addColumn<bool>("kerning");
    QTest::addColumn<int>("tracking");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("start-up values") << 0.0f << 0.0f << 4 << false << true << 0
                                     << QStringList{"0", "0", "4", "0", "on", "0"};
    QTest::newRow("last used") << 2.5f << 3.0f << 6 << true << false << -40
                               << QStringList{"2.5", "3", "6", "1", "off", "-40"};
  }
  void newFieldsOpenWithThePreset() {
    QFETCH(float, width);
    QFETCH(float, depth);
    QFETCH(int, segments);
    QFETCH(bool, chamfer);
    QFETCH(bool, kerning);
    QFETCH(int, tracking);
    QFETCH(QStringList, shown);
    qv::TextParameters preset;
    preset.bevel = {width, depth, segments, chamfer ? qv::BevelShape::kChamfer : qv::BevelShape::kRound};
    preset.kerning = kerning;
    preset.tracking = tracking;
    CreateTextDialog dialog(preset, {});
    QCOMPARE(NewFields(dialog), shown);
    QCOMPARE(dialog.bevelShapeBox()->itemText(0), U("丸み"));
    QCOMPARE(dialog.bevelShapeBox()->itemText(1), U("面取り"));
  }

  void newFieldsReachTheDocumentAndAreRemembered() {
    if (!qv::IsFamilyInstalled("DejaVu Sans")) QSKIP("DejaVu Sans is not installed");
    qv::SilentInteraction ui;
    qv::CMotionDoc doc(ui);
    qv::test::CreateTextAnswer answer;
    answer.fontName = "DejaVu Sans";
    answer.text = "Qv";
    answer.thickness = "20";
    answer.bevelWidth = "1.5";
    answer.bevelDepth = "10";  // exactly half the slab
    answer.bevelSegments = "7";
    answer.bevelShape = 1;
    answer.kerning = 0;
    answer.tracking = "-35";
    qv::test::AnswerNextCreateTextDialog(answer);
    qv::ui::RunCreateTextDialog(doc, nullptr);
    QCOMPARE(doc.scene().m_models.size(), size_t{1});
    const qv::TextParameters& kept = doc.m_textDefaults;
    QCOMPARE(kept.bevel.width, 1.5f);
    QCOMPARE(kept.bevel.depth, 10.0f);
    QCOMPARE(kept.bevel.segments, 7);
    QCOMPARE(int(kept.bevel.shape), int(qv::BevelShape::kChamfer));
    QCOMPARE(kept.kerning, false);
    QCOMPARE(kept.tracking, -35);

    // The next dialog opens with them.
    QStringList seen;
    qv::test::AnswerNextModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<CreateTextDialog*>(modal);
      if (!dialog) return false;
      seen = NewFields(*dialog);
      Click(dialog, QDialogButtonBox::Cancel);
      return true;
    });
    qv::ui::RunCreateTextDialog(doc, nullptr);
    QCOMPARE(seen, (QStringList{"1.5", "10", "7", "1", "off", "-35"}));
    QCOMPARE(doc.scene().m_models.size(), size_t{1});  // cancel made nothing
    QCOMPARE(doc.m_textDefaults.bevel.segments, 7);
  }

  void fieldsTheDocumentWouldRefuseKeepTheDialogOpen_data() {
    QTest::addColumn<QString>("thickness");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("mended");
    QTest::newRow("negative width") << "50" << "bevelWidth" << "-1" << U(qv::kBevelWidthNegativeMessage) << "1";
    QTest::newRow("width with a comma") << "50" << "bevelWidth" << "1,5" << U("数字を入力してください。") << "1.5";
    QTest::newRow("negative depth") << "50" << "bevelDepth" << "-0.5" << U(qv::kBevelDepthNegativeMessage) << "0.5";
    QTest::newRow("depth past half the thickness") << "10" << "bevelDepth" << "5.5"
                                                   << U(qv::kBevelDepthTooDeepMessage) << "5";
    QTest::newRow("no steps") << "50" << "bevelSegments" << "0" << U(qv::kBevelSegmentsMessage) << "1";
    QTest::newRow("33 steps") << "50" << "bevelSegments" << "33" << U(qv::kBevelSegmentsMessage) << "32";
    QTest::newRow("empty steps") << "50" << "bevelSegments" << "" << U("整数を入力してください。") << "4";
    QTest::newRow("tracking in letters") << "50" << "tracking" << "wide" << U("整数を入力してください。") << "-20";
  }
  void fieldsTheDocumentWouldRefuseKeepTheDialogOpen() {
    QFETCH(QString, thickness);
    QFETCH(QString, edit);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(QString, mended);
    CreateTextDialog dialog(DejaVu(), {"DejaVu Sans"});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.thicknessEdit()->setText(thickness);
    auto* field = dialog.findChild<QLineEdit*>(edit);
    QVERIFY(field);
    field->setText(text);
    dialog.findChild<QDialogButtonBox*>("buttons")->button(QDialogButtonBox::Ok)->setFocus();

    QString said;
    qv::test::AnswerNextMessageBox(QMessageBox::Ok, &said);
    Click(&dialog, QDialogButtonBox::Ok);
    QCOMPARE(said, message);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.focusWidget(), field);
    QCOMPARE(field->selectedText(), text);

    field->setText(mended);
    Click(&dialog, QDialogButtonBox::Ok);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  void previewShowsTheTextAndFollowsEveryChange() {
    if (!qv::IsFamilyInstalled("DejaVu Sans")) QSKIP("DejaVu Sans is not installed");
    CreateTextDialog dialog(DejaVu(), {"DejaVu Sans"});
    TextPreviewWidget* preview = dialog.preview();
    QVERIFY2(preview, "no OpenGL 3.3 for the preview");
    preview->setTurning(false);  // still pictures to compare
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    const QImage empty = SettledPicture(preview);
    QVERIFY(!empty.isNull());
    QVERIFY2(qv::testing::DistinctColours(empty, empty.rect()) <= 2, "an empty text shows only the background");

    // Typing: the preview builds, then draws by itself.
    int built = 0, drawn = 0;
    connect(preview, &TextPreviewWidget::built, this, [&] {
      ++built;
      drawn = 0;
    });
    connect(preview, &TextPreviewWidget::frameDrawn, this, [&] { ++drawn; });
    QTest::keyClicks(dialog.textEdit(), "Qv");
    QVERIFY(QTest::qWaitFor([&] { return preview->isCurrent() && built > 0 && drawn > 0; }, 10000));
    QVERIFY2(built <= 2, qPrintable(QString::number(built)));  // the keys of one burst are built together
    QCOMPARE(preview->note(), QString());
    QCOMPARE(preview->scene().m_models.size(), size_t{1});
    QCOMPARE(QString::fromStdString(preview->scene().m_models[0].m_name), QString("Qv"));
    const QImage qv = SettledPicture(preview);
    QVERIFY2(qv::testing::DistinctColours(qv, qv.rect()) > 20, "the text is drawn, shaded");
    QVERIFY(qv != empty);
    QCOMPARE(SettledPicture(preview), qv);  // nothing changed, nothing moves

    // One more character.
    QTest::keyClicks(dialog.textEdit(), "x");
    const QImage qvx = SettledPicture(preview);
    QVERIFY(qvx != qv);
    QVERIFY(qv::testing::DistinctColours(qvx, qvx.rect()) > 20);

    // A number: a thinner slab shows less of its side.
    dialog.thicknessEdit()->setText("5");
    const QImage thin = SettledPicture(preview);
    QVERIFY(thin != qvx);
    QCOMPARE(preview->scene().m_models[0].m_boundsMax.z - preview->scene().m_models[0].m_boundsMin.z, 5.0f);

    // The weight.
    dialog.weightSlider()->setValue(900);
    QVERIFY(SettledPicture(preview) != thin);
    QCOMPARE(dialog.previewValues().weight, 900);

    // The new fields reach the preview's values (their shape is the text model's business).
    dialog.bevelWidthEdit()->setText("1");
    dialog.bevelDepthEdit()->setText("2");
    dialog.bevelSegmentsEdit()->setText("3");
    dialog.bevelShapeBox()->setCurrentIndex(1);
    dialog.kerningBox()->setChecked(false);
    dialog.trackingEdit()->setText("120");
    QVERIFY(!SettledPicture(preview).isNull());
    const qv::TextParameters& shown = dialog.previewValues();
    QCOMPARE(shown.bevel.width, 1.0f);
    QCOMPARE(shown.bevel.depth, 2.0f);
    QCOMPARE(shown.bevel.segments, 3);
    QCOMPARE(int(shown.bevel.shape), int(qv::BevelShape::kChamfer));
    QCOMPARE(shown.kerning, false);
    QCOMPARE(shown.tracking, 120);
    // A field being retyped keeps its last value meanwhile.
    dialog.fontSizeEdit()->setText("");
    QCOMPARE(dialog.previewValues().fontSize, 100.0f);
    Click(&dialog, QDialogButtonBox::Cancel);
  }

  void previewTellsWhyItShowsNoModel() {
    if (!qv::IsFamilyInstalled("DejaVu Sans")) QSKIP("DejaVu Sans is not installed");
    CreateTextDialog dialog(DejaVu(), {"DejaVu Sans"});
    TextPreviewWidget* preview = dialog.preview();
    QVERIFY(preview);
    preview->setTurning(false);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.textEdit()->setText("Qv");
    const QImage shown = SettledPicture(preview);
    dialog.thicknessEdit()->setText("10");
    dialog.bevelWidthEdit()->setText("1");
    dialog.bevelDepthEdit()->setText("6");
    const QImage refused = SettledPicture(preview);
    QCOMPARE(preview->note(), U(qv::kBevelDepthTooDeepMessage));
    QVERIFY(preview->findChild<QLabel*>("previewNote")->isVisible());
    QVERIFY(preview->scene().m_models.empty());
    QVERIFY(refused != shown);
    dialog.bevelDepthEdit()->setText("4");
    SettledPicture(preview);
    QCOMPARE(preview->note(), QString());
    QVERIFY(!preview->findChild<QLabel*>("previewNote")->isVisible());
    QCOMPARE(preview->scene().m_models.size(), size_t{1});
    Click(&dialog, QDialogButtonBox::Cancel);
  }

  void okAddsOneModelAndCancelNone_data() {
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK") << true;
    QTest::newRow("cancel") << false;
  }
  void okAddsOneModelAndCancelNone() {
    QFETCH(bool, ok);
    if (!qv::IsFamilyInstalled("DejaVu Sans")) QSKIP("DejaVu Sans is not installed");
    qv::SilentInteraction ui;
    qv::CMotionDoc doc(ui);
    size_t modelsWhilePreviewed = 99, previewed = 0;
    qv::test::AnswerNextModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<CreateTextDialog*>(modal);
      if (!dialog) return false;
      dialog->fontNameBox()->setEditText("DejaVu Sans");
      for (const char* text : {"L", "Lo", "Log", "Logo"}) {
        dialog->textEdit()->setText(text);
        SettledPicture(dialog->preview());
      }
      previewed = dialog->preview()->scene().m_models.size();
      modelsWhilePreviewed = doc.scene().m_models.size() + doc.scene().m_materials.size();
      Click(dialog, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
      return true;
    });
    qv::ui::RunCreateTextDialog(doc, nullptr);
    QCOMPARE(previewed, size_t{1});
    QCOMPARE(modelsWhilePreviewed, size_t{0});  // the preview never touches the document
    QCOMPARE(doc.scene().m_models.size(), size_t{ok ? 1u : 0u});
    QCOMPARE(doc.scene().m_materials.size(), size_t{ok ? 1u : 0u});
    QCOMPARE(doc.IsModified(), ok);
  }

  void dialogWithPreviewRenders() {
    if (!qv::IsFamilyInstalled("DejaVu Sans")) QSKIP("DejaVu Sans is not installed");
    qv::TextParameters p = DejaVu();
    p.bevel = {2, 4, 4, qv::BevelShape::kRound};
    CreateTextDialog dialog(p, {"DejaVu Sans"});
    dialog.preview()->setTurning(false);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.textEdit()->setText("Quorvel");
    SettledPicture(dialog.preview());
    dialog.grab().save(QString(QV_BIN_DIR) + "/create_text_dialog_preview.png");
    dialog.preview()->grabFramebuffer().save(QString(QV_BIN_DIR) + "/create_text_preview.png");
    Click(&dialog, QDialogButtonBox::Cancel);
  }
};

QV_DESKTOP_TEST_MAIN(CreateTextDialogTest)
#include "create_text_dialog_test.moc"
