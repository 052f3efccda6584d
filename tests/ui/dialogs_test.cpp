// The document's dialogs as a person meets them: what they open with, what OK and cancel hand
// to the document, and edits whose text does not read (the message, the focus back on the edit
// with its text selected, the dialog still open).
#include <QtTest>

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <memory>

#include "document/motion_doc.h"
#include "platform/font_catalog.h"
#include "support/desktop/desktop_test.h"
#include "support/desktop/modal_dialogs.h"
#include "support/change_recorder.h"
#include "ui/dialogs/create_text_dialog.h"
#include "ui/dialogs/document_dialogs.h"
#include "ui/dialogs/frame_dialogs.h"
#include "ui/dialogs/settings_dialog.h"
#include "ui/interface_translation.h"
#include "ui/qt_interaction.h"
#include "ui/qt_settings_store.h"

using qv::test::AnswerNextCreateTextDialog;
using qv::test::AnswerNextDialog;
using qv::test::AnswerNextMessageBox;
using qv::test::AnswerNextModal;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

void ClickButton(QWidget* dialog, QDialogButtonBox::StandardButton which) {
  dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttons"))->button(which)->click();
}

QString EditText(QWidget* dialog, const char* name) {
  return dialog->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
}
void SetEditText(QWidget* dialog, const char* name, const QString& text) {
  dialog->findChild<QLineEdit*>(QString::fromLatin1(name))->setText(text);
}

std::unique_ptr<QDialog> MakeDialog(const QString& kind) {
  using namespace qv::ui;
  if (kind == "createText") return std::make_unique<CreateTextDialog>(qv::TextParameters{}, std::vector<std::string>{});
  if (kind == "keyFrame") return std::make_unique<KeyFrameDialog>(qv::KeyFrameChoice{5, 0});
  if (kind == "insertFrames") return std::make_unique<InsertFramesDialog>(5, 1);
  if (kind == "deleteFrames") return std::make_unique<DeleteFramesDialog>(5, 5);
  return std::make_unique<SettingsDialog>(qv::SettingsDialogValues{});
}

const char* const kEnterInteger = "整数を入力してください。";
const char* const kEnterNumber = "数字を入力してください。";

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT
 private slots:
  // Under a Japanese locale Qt's own dialogs speak Japanese too: the open dialog's buttons and
  // labels come from Qt's translations.
  // The language choice is the program's setting: shown as stored, written on OK only, used from
  // the next start.
  void theSettingsDialogKeepsTheLanguageChoice() {
    qv::SilentInteraction interaction;
    qv::CMotionDoc doc(interaction);
    qv::ui::QtSettingsStore settings;
    settings.Remove(qv::kLanguageSection, qv::kLanguageName);
    QStringList offered;
    AnswerNextDialog("settingsDialog", [&](QWidget* modal) {
      auto* box = static_cast<qv::ui::SettingsDialog*>(modal)->languageBox();
      for (int i = 0; i < box->count(); ++i) offered << box->itemText(i);
      QCOMPARE(box->currentIndex(), 0);
      box->setCurrentIndex(1);
    }, false);
    qv::ui::RunSettingsDialog(doc, nullptr, &settings);
    QCOMPARE(offered, (QStringList{U("システム"), "English", U("日本語")}));
    QVERIFY(!settings.Read(qv::kLanguageSection, qv::kLanguageName));  // cancelled
    AnswerNextDialog("settingsDialog", [&](QWidget* modal) {
      static_cast<qv::ui::SettingsDialog*>(modal)->languageBox()->setCurrentIndex(1);
    });
    qv::ui::RunSettingsDialog(doc, nullptr, &settings);
    QCOMPARE(settings.Read(qv::kLanguageSection, qv::kLanguageName).value_or(""), std::string("en"));
    QCOMPARE(qv::ui::ChosenInterfaceLanguage(&settings), qv::InterfaceLanguage::kEnglish);
    AnswerNextDialog("settingsDialog", [&](QWidget* modal) {
      auto* box = static_cast<qv::ui::SettingsDialog*>(modal)->languageBox();
      QCOMPARE(box->currentIndex(), 1);
      box->setCurrentIndex(2);
    });
    qv::ui::RunSettingsDialog(doc, nullptr, &settings);
    QCOMPARE(qv::ui::ChosenInterfaceLanguage(&settings), qv::InterfaceLanguage::kJapanese);
    settings.Remove(qv::kLanguageSection, qv::kLanguageName);
  }

  void theOpenDialogSpeaksJapanese() {
    QString open, cancel, lookIn;
    AnswerNextModal<QFileDialog>([&](QFileDialog* dialog) {
      auto* buttons = dialog->findChild<QDialogButtonBox*>();
      QVERIFY(buttons);
      open = buttons->button(QDialogButtonBox::Open)->text();
      cancel = buttons->button(QDialogButtonBox::Cancel)->text();
      if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("lookInLabel"))) lookIn = label->text();
      dialog->reject();
    });
    qv::ui::QtInteraction interaction(nullptr);
    QVERIFY(!interaction.AskOpenPath());
    QCOMPARE(open, U("開く(&O)"));
    QCOMPARE(cancel, U("キャンセル"));
    QCOMPARE(lookIn, U("アドレス:"));
  }

  void createTextOpensWithTheRememberedValues_data() {
    QTest::addColumn<QString>("font");
    QTest::addColumn<int>("subdivisions");
    QTest::addColumn<float>("size");
    QTest::addColumn<float>("thickness");
    QTest::addColumn<int>("weight");
    QTest::addColumn<QStringList>("shown");  // font, text, subdivisions, size, thickness, weight
    // A family that is not installed (the start-up "メイリオ" on most systems) gives way to the one
    // fontconfig chooses for Japanese sans-serif text.
    const QString startUp = qv::IsFamilyInstalled("メイリオ") ? U("メイリオ")
                                                              : QString::fromStdString(qv::JapaneseSansSerifFamily());
    QTest::newRow("start-up values") << U("メイリオ") << 5 << 100.0f << 50.0f << 400
                                     << QStringList{startUp, "", "5", "100", "50", "400"};
    QTest::newRow("a family not installed") << "No Such Family Qv" << 5 << 100.0f << 50.0f << 400
                                            << QStringList{QString::fromStdString(qv::JapaneseSansSerifFamily()), "",
                                                           "5", "100", "50", "400"};
    QTest::newRow("last used") << "DejaVu Sans" << 12 << 42.5f << 7.0f << 700
                               << QStringList{"DejaVu Sans", "", "12", "42.5", "7", "700"};
  }
  void createTextOpensWithTheRememberedValues() {
    QFETCH(QString, font);
    QFETCH(int, subdivisions);
    QFETCH(float, size);
    QFETCH(float, thickness);
    QFETCH(int, weight);
    QFETCH(QStringList, shown);
    qv::SilentInteraction ui;
    qv::CMotionDoc doc(ui);
    doc.m_textDefaults = {font.toStdString(), "left over", subdivisions, size, thickness, weight};
    QStringList seen;
    QString title;
    AnswerNextDialog("createTextDialog", [&](QWidget* modal) {
      auto* dialog = static_cast<qv::ui::CreateTextDialog*>(modal);
      title = dialog->windowTitle();
      seen = {dialog->fontNameBox()->currentText(), dialog->textEdit()->text(), dialog->subdivisionsEdit()->text(),
              dialog->fontSizeEdit()->text(), dialog->thicknessEdit()->text(),
              QString::number(dialog->weightSlider()->value())};
    }, false);
    qv::ui::RunCreateTextDialog(doc, nullptr);
    QCOMPARE(title, U("3D文字作成"));
    QCOMPARE(seen, shown);
    QVERIFY2(qv::IsFamilyInstalled(seen.value(0).toStdString()), qPrintable(seen.value(0)));
    QCOMPARE(QString::fromStdString(doc.m_textDefaults.fontName), shown.value(0));  // remembered
  }

  void createTextOkMakesTheModelAndCancelOnlyRefreshes() {
    if (!qv::IsFamilyInstalled("DejaVu Sans")) QSKIP("DejaVu Sans is not installed");
    qv::SilentInteraction ui;
    qv::CMotionDoc doc(ui);
    qv::testing::ChangeRecorder views;
    doc.AddView(&views);

    qv::test::CreateTextAnswer answer;
    answer.fontName = "DejaVu Sans";
    answer.text = "Qv";
    answer.ok = false;
    AnswerNextCreateTextDialog(answer);
    qv::ui::RunCreateTextDialog(doc, nullptr);
    QVERIFY(doc.scene().m_models.empty());
    QVERIFY(!doc.IsModified());
    QCOMPARE(views.notices, std::vector<qv::Change>{qv::Change::kModels});

    answer.subdivisions = "3";
    answer.fontSize = "80";
    answer.thickness = "20";
    answer.weight = 700;
    answer.ok = true;
    AnswerNextCreateTextDialog(answer);
    qv::ui::RunCreateTextDialog(doc, nullptr);
    QCOMPARE(doc.scene().m_models.size(), size_t{1});
    QVERIFY(doc.IsModified());
    QVERIFY(views.notices.back() == qv::Change::kModels);
    const qv::TextParameters& kept = doc.m_textDefaults;
    QCOMPARE(QString::fromStdString(kept.fontName), QString("DejaVu Sans"));
    QCOMPARE(kept.subdivisions, 3);
    QCOMPARE(kept.fontSize, 80.0f);
    QCOMPARE(kept.thickness, 20.0f);
    QCOMPARE(kept.weight, 700);
    QVERIFY(ui.messages.empty());  // an installed family: nothing stood in
    doc.RemoveView(&views);
  }

  void fontListHoldsTheInstalledFamiliesSortedOnce() {
    const std::vector<std::string> families = qv::ListOutlineFontFamilies();
    if (families.empty()) QSKIP("no outline font is installed");
    qv::ui::CreateTextDialog dialog(qv::TextParameters{}, families);
    QComboBox* box = dialog.fontNameBox();
    QCOMPARE(box->count(), static_cast<int>(families.size()));
    for (int i = 1; i < box->count(); ++i)
      QVERIFY2(box->itemText(i - 1) < box->itemText(i), qPrintable(box->itemText(i - 1) + " / " + box->itemText(i)));
    for (int i = 0; i < box->count(); ++i) QVERIFY(!box->itemText(i).startsWith('@'));
    if (qv::IsFamilyInstalled("DejaVu Sans")) QVERIFY(box->findText("DejaVu Sans") >= 0);
    // A remembered name that no installed family has still shows as typed.
    QCOMPARE(box->currentText(), U("メイリオ"));
  }

  void editsThatDoNotReadKeepTheDialogOpen_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("subdivisions beyond int32") << "createText" << "subdivisions" << "99999999999" << U(kEnterInteger);
    QTest::newRow("empty subdivisions") << "createText" << "subdivisions" << "" << U(kEnterInteger);
    QTest::newRow("empty font size") << "createText" << "fontSize" << "" << U(kEnterNumber);
    QTest::newRow("thickness beyond float") << "createText" << "thickness" << QString(40, '9') << U(kEnterNumber);
    QTest::newRow("empty key frame") << "keyFrame" << "frame" << "" << U(kEnterInteger);
    QTest::newRow("insert count beyond int32") << "insertFrames" << "count" << "4294967296" << U(kEnterInteger);
    QTest::newRow("empty delete end") << "deleteFrames" << "last" << "" << U(kEnterInteger);
    QTest::newRow("canvas width in letters") << "settings" << "canvasWidth" << "wide" << U(kEnterInteger);
    QTest::newRow("smoothing angle with a comma") << "settings" << "smoothingAngle" << "89,5" << U(kEnterNumber);
  }
  void editsThatDoNotReadKeepTheDialogOpen() {
    QFETCH(QString, dialog);
    QFETCH(QString, edit);
    QFETCH(QString, text);
    QFETCH(QString, message);
    std::unique_ptr<QDialog> shown = MakeDialog(dialog);
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
    auto* field = shown->findChild<QLineEdit*>(edit);
    QVERIFY(field);
    field->setText(text);
    shown->findChild<QDialogButtonBox*>("buttons")->button(QDialogButtonBox::Ok)->setFocus();  // not on the edit

    QString said;
    AnswerNextMessageBox(QMessageBox::Ok, &said);
    ClickButton(shown.get(), QDialogButtonBox::Ok);
    QCOMPARE(said, message);
    QVERIFY(shown->isVisible());
    QCOMPARE(shown->result(), int(QDialog::Rejected));
    QCOMPARE(shown->focusWidget(), field);
    QCOMPARE(field->selectedText(), text);

    field->setText("12");  // mended, OK closes
    ClickButton(shown.get(), QDialogButtonBox::Ok);
    QVERIFY(!shown->isVisible());
    QCOMPARE(shown->result(), int(QDialog::Accepted));
  }

  void keyFrameDialogAnswersTheFrameAndTheAction() {
    qv::ui::QtInteraction ui;
    QString frame;
    bool firstChecked = false;
    AnswerNextDialog("keyFrameDialog", [&](QWidget* dialog) {
      frame = EditText(dialog, "frame");
      firstChecked = dialog->findChild<QRadioButton*>("addSelected")->isChecked();
      SetEditText(dialog, "frame", "12");
      dialog->findChild<QRadioButton*>("deleteAll")->click();
    });
    const auto choice = ui.AskKeyFrame({7, qv::KeyFrameChoice::kAddSelected});
    QCOMPARE(frame, QString("7"));
    QVERIFY(firstChecked);
    QVERIFY(choice);
    QCOMPARE(choice->frame, 12);
    QCOMPARE(choice->action, int32_t{qv::KeyFrameChoice::kDeleteAll});

    AnswerNextDialog("keyFrameDialog", [](QWidget*) {}, false);
    QVERIFY(!ui.AskKeyFrame({7, qv::KeyFrameChoice::kAddSelected}));
  }

  void frameDialogsReachTheDocument() {
    qv::ui::QtInteraction ui;
    qv::CMotionDoc doc(ui);
    doc.scene().m_currentFrame = 10;

    QStringList preset;
    AnswerNextDialog("insertFramesDialog", [&](QWidget* dialog) {
      preset = {dialog->windowTitle(), EditText(dialog, "afterFrame"), EditText(dialog, "count")};
      SetEditText(dialog, "count", "3");
    });
    doc.OnInsertFrames();
    QCOMPARE(preset, (QStringList{U("ﾌﾚｰﾑの挿入"), "10", "1"}));
    QCOMPARE(doc.scene().m_lastFrame, 63);
    QVERIFY(doc.IsModified());

    // A range the document refuses: its message in a box titled with the program's name.
    doc.SetModifiedFlag(false);
    doc.scene().m_currentFrame = 4;
    AnswerNextDialog("deleteFramesDialog", [&](QWidget* dialog) {
      preset = {dialog->windowTitle(), EditText(dialog, "first"), EditText(dialog, "last")};
      SetEditText(dialog, "last", "70");
    });
    QString said, title;
    AnswerNextModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (!box) return false;
      said = box->text();
      title = box->windowTitle();
      box->accept();
      return true;
    });
    doc.OnDeleteFrames();
    QCOMPARE(preset, (QStringList{U("ﾌﾚｰﾑの削除"), "4", "4"}));
    QCOMPARE(said, U("フレーム番号が範囲外です！"));
    QCOMPARE(title, QString("Quorvel Motion"));
    QCOMPARE(doc.scene().m_lastFrame, 63);
    QVERIFY(!doc.IsModified());
  }

  void settingsDialogPresetAndOk() {
    qv::SilentInteraction ui;
    qv::CMotionDoc doc(ui);
    qv::testing::ChangeRecorder views;
    doc.AddView(&views);
    doc.scene().m_canvasWidth = 640;
    doc.scene().m_canvasHeight = 480;
    doc.scene().m_fieldOfView = 20.7f;

    QStringList seen;
    AnswerNextDialog("settingsDialog", [&](QWidget* modal) {
      auto* dialog = static_cast<qv::ui::SettingsDialog*>(modal);
      seen = {dialog->windowTitle(), dialog->canvasWidthEdit()->text(), dialog->canvasHeightEdit()->text(),
              QString::number(dialog->fieldOfViewSlider()->value()), dialog->smoothingAngleEdit()->text()};
    }, false);
    qv::ui::RunSettingsDialog(doc, nullptr);
    QCOMPARE(seen, (QStringList{U("設定"), "640", "480", "20", "89.5"}));
    QVERIFY(!doc.IsModified());
    QCOMPARE(views.notices, std::vector<qv::Change>{qv::Change::kSettings});

    AnswerNextDialog("settingsDialog", [&](QWidget* dialog) {
      SetEditText(dialog, "canvasWidth", "-5");  // taken as typed
      dialog->findChild<QSlider*>("fieldOfView")->setValue(500);  // the slider stops at 175
    });
    qv::ui::RunSettingsDialog(doc, nullptr);
    QCOMPARE(doc.scene().m_canvasWidth, -5);
    QCOMPARE(doc.scene().m_canvasHeight, 480);
    QCOMPARE(doc.scene().m_fieldOfView, 175.0f);
    QVERIFY(doc.IsModified());
    QCOMPARE(views.notices.size(), size_t{2});
    QVERIFY(views.notices.back() == (qv::Change::kSettings | qv::Change::kGeometry));  // the viewport's buffers
    doc.RemoveView(&views);
  }

  void saveChangesPromptAnswers_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("answer");
    QTest::newRow("yes") << int(QMessageBox::Yes) << int(qv::SaveChangesAnswer::kYes);
    QTest::newRow("no") << int(QMessageBox::No) << int(qv::SaveChangesAnswer::kNo);
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << int(qv::SaveChangesAnswer::kCancel);
  }
  void saveChangesPromptAnswers() {
    QFETCH(int, button);
    QFETCH(int, answer);
    qv::ui::QtInteraction ui;
    QString said;
    AnswerNextMessageBox(QMessageBox::StandardButton(button), &said);
    QCOMPARE(int(ui.AskSaveChanges("無題")), answer);
    QCOMPARE(said, U("無題 への変更を保存しますか?"));
  }

  void saveDialogOffersEveryType_data() {
    QTest::addColumn<bool>("documentOnly");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("type");
    QTest::newRow("document") << false << 0 << U("ロゴ") << U("ロゴ.qvlogo") << int(qv::SaveType::kDocument);
    QTest::newRow("WebGL page") << false << 1 << "page" << "page.html" << int(qv::SaveType::kWebGL);
    QTest::newRow("WebGPU page") << false << 2 << "page.html" << "page.html" << int(qv::SaveType::kWebGPU);
    QTest::newRow("document type only") << true << 0 << "doc" << "doc.qvlogo" << int(qv::SaveType::kDocument);
    QTest::newRow("glTF binary") << false << 3 << "logo" << "logo.glb" << int(qv::SaveType::kGltfBinary);
    QTest::newRow("glTF") << false << 4 << "logo" << "logo.gltf" << int(qv::SaveType::kGltf);
    QTest::newRow("MP4") << false << 5 << "clip" << "clip.mp4" << int(qv::SaveType::kMp4);
    QTest::newRow("WebM") << false << 6 << "clip" << "clip.webm" << int(qv::SaveType::kWebm);
    QTest::newRow("GIF") << false << 7 << "clip" << "clip.gif" << int(qv::SaveType::kGif);
    QTest::newRow("animated PNG") << false << 8 << "clip" << "clip.png" << int(qv::SaveType::kApng);
    QTest::newRow("animated WebP") << false << 9 << "clip" << "clip.webp" << int(qv::SaveType::kWebp);
    // The name's extension chooses the type, whatever the list shows.
    QTest::newRow("typed .glb, document listed") << false << 0 << "logo.glb" << "logo.glb"
                                                 << int(qv::SaveType::kGltfBinary);
    QTest::newRow("typed .GIF, WebGL listed") << false << 1 << "logo.GIF" << "logo.GIF" << int(qv::SaveType::kGif);
    QTest::newRow("typed .qvlogo, MP4 listed") << false << 5 << "doc.qvlogo" << "doc.qvlogo"
                                               << int(qv::SaveType::kDocument);
    QTest::newRow("typed .glb, document type only") << true << 0 << "doc.glb" << "doc.glb"
                                                    << int(qv::SaveType::kDocument);
  }
  void saveDialogOffersEveryType() {
    QFETCH(bool, documentOnly);
    QFETCH(int, filter);
    QFETCH(QString, typed);
    QFETCH(QString, file);
    QFETCH(int, type);
    QTemporaryDir folder;
    qv::ui::QtInteraction ui;
    QStringList offered;
    qv::test::AnswerNextSaveDialog(folder.filePath(typed), filter, &offered);
    const auto choice = ui.AskSavePath(documentOnly);
    const QStringList all{U("Quorvel Logo ﾌｧｲﾙ(*.qvlogo)"), U("WebGL ﾌｧｲﾙ(*.html)"), U("WebGPUファイル(*.html)"),
                          U("glTF ﾊﾞｲﾅﾘ(*.glb)"),           U("glTF(*.gltf)"),        U("MP4 動画(*.mp4)"),
                          U("WebM 動画(*.webm)"),           U("GIF ｱﾆﾒｰｼｮﾝ(*.gif)"),  U("ｱﾆﾒｰｼｮﾝ PNG(*.png)"),
                          U("ｱﾆﾒｰｼｮﾝ WebP(*.webp)")};
    QCOMPARE(offered, documentOnly ? all.mid(0, 1) : all);
    QVERIFY(choice);
    QCOMPARE(QString::fromStdString(choice->path), folder.filePath(file));  // UTF-8
    QCOMPARE(int(choice->type), type);
  }

  void saveDialogIsAnsweredWhileItsNameFieldHasTheFocus() {
    // The dialog once stayed open with nothing typed: answered after the dialog's window was
    // activated, the name field had the focus and the name chosen never reached it.
    QTemporaryDir folder;
    qv::ui::QtInteraction ui;
    bool focused = false;
    AnswerNextModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      if (!dialog) return false;
      dialog->activateWindow();
      QApplication::setActiveWindow(dialog);
      auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
      name->setFocus();
      focused = QTest::qWaitFor([name] { return name->hasFocus(); }, 5000);
      qv::test::AnswerFileDialog(dialog, folder.filePath("focused"), 0);
      return true;
    });
    const auto choice = ui.AskSavePath(true);
    QVERIFY(focused);
    QVERIFY(choice);
    QCOMPARE(QString::fromStdString(choice->path), folder.filePath("focused.qvlogo"));
  }

  void openDialogReturnsTheChosenDocument() {
    QTemporaryDir folder;
    const QString path = folder.filePath(U("ロゴ.qvlogo"));
    QFile touched(path);
    QVERIFY(touched.open(QIODevice::WriteOnly));
    touched.close();
    qv::ui::QtInteraction ui;
    QStringList offered;
    qv::test::AnswerNextOpenDialog(path, &offered);
    const auto chosen = ui.AskOpenPath();
    QCOMPARE(offered, (QStringList{U("Quorvel Logoファイル(*.qvlogo)"), U("Metasequoiaファイル(*.mqo)")}));
    QVERIFY(chosen);
    QCOMPARE(*chosen, path.toStdString());
  }

  void openDialogImportsAMetasequoiaFile() {
    qv::ui::QtInteraction ui;
    qv::CMotionDoc doc(ui);
    const QString mqo = QStringLiteral(QV_TEST_DATA_DIR "/mqo/single_object_with_bvertex.mqo");
    qv::test::AnswerNextOpenDialog(mqo);
    doc.OnFileOpen();
    QVERIFY(!doc.scene().m_models.empty());
    QVERIFY(doc.IsModified());
  }

  void createTextDialogRenders() {
    qv::ui::CreateTextDialog dialog(qv::TextParameters{}, {"DejaVu Sans"});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QImage image = dialog.grab().toImage();
    QVERIFY(image.width() >= 400 && image.height() >= 150);
    // Labels and edits: far more than one colour in the picture.
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
      for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
    QVERIFY2(colours.size() > 8, qPrintable(QString::number(colours.size())));
    const QString saved = QString(QV_BIN_DIR) + "/create_text_dialog.png";
    image.save(saved);
  }
};

QV_DESKTOP_TEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
