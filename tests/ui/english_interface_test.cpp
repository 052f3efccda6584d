// The desktop program under an English locale (LANG=en_US.UTF-8): every menu, toolbar, pane,
// dialog and message in English, nothing Japanese left, labels that fit.
#include <QtTest>

#include <QAbstractButton>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QXmlStreamReader>

#include "document/command_layout.h"
#include "document/command_table.h"
#include "document/dialog_fields.h"
#include "document/motion_doc.h"
#include "document/text_checks.h"
#include "export/web_export.h"
#include "geometry/text_model.h"
#include "geometry/texture_loader.h"
#include "publish/file_export_command.h"
#include "scene/limits.h"
#include "scene/messages.h"
#include "support/desktop/desktop_test.h"
#include "platform/program_folder.h"
#include "support/desktop/modal_dialogs.h"
#include "ui/command_actions.h"
#include "ui/file_type_registration.h"
#include "ui/interface_translation.h"
#include "ui/main_window.h"
#include "ui/panes/model_tree_pane.h"
#include "ui/qt_interaction.h"
#include "viewport/scene_renderer.h"

namespace {

bool HasJapanese(const QString& text) {
  static const QRegularExpression japanese(QStringLiteral("[\\x{3000}-\\x{30ff}\\x{3400}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
  return text.contains(japanese);
}

// Every text a person can read in `root` and the widgets inside it.
QStringList ShownTexts(QWidget* root) {
  QStringList texts{root->windowTitle(), root->toolTip(), root->statusTip()};
  QList<QWidget*> widgets = root->findChildren<QWidget*>();
  for (QWidget* widget : widgets) {
    texts << widget->toolTip() << widget->statusTip() << widget->windowTitle();
    if (auto* label = qobject_cast<QLabel*>(widget)) texts << label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) texts << button->text();
    if (auto* group = qobject_cast<QGroupBox*>(widget)) texts << group->title();
    if (auto* box = qobject_cast<QComboBox*>(widget)) {
      for (int i = 0; i < box->count(); ++i)
        // Font families are names, not texts; the Japanese choice is named in Japanese in every
        // language.
        if (box->objectName() != QLatin1String("fontName") &&
            (box->objectName() != QLatin1String("language") || box->itemText(i) != QString::fromUtf8("日本語")))
          texts << box->itemText(i);
    }
    if (auto* tree = qobject_cast<QTreeWidget*>(widget)) {
      for (int c = 0; c < tree->columnCount(); ++c) texts << tree->headerItem()->text(c);
      for (QTreeWidgetItemIterator it(tree); *it; ++it) texts << (*it)->text(0);
    }
  }
  for (QAction* action : root->findChildren<QAction*>()) texts << action->text() << action->iconText() << action->toolTip() << action->statusTip();
  if (auto* box = qobject_cast<QMessageBox*>(root)) texts << box->text() << box->informativeText();
  return texts;
}

void VerifyEnglish(QWidget* root, const QString& where) {
  for (const QString& text : ShownTexts(root))
    QVERIFY2(!HasJapanese(text), qPrintable(where + ": " + text));
}

// Labels and buttons get at least the room their text asks for.
void VerifyNothingClipped(QWidget* root, const QString& where) {
  for (QWidget* widget : root->findChildren<QWidget*>()) {
    if (!widget->isVisible()) continue;
    QString text;
    if (auto* label = qobject_cast<QLabel*>(widget); label && !label->wordWrap()) text = label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) text = button->text();
    if (text.isEmpty() || text.contains('\n')) continue;
    text.remove('&');
    const int needed = widget->fontMetrics().horizontalAdvance(text);
    QVERIFY2(widget->width() >= needed, qPrintable(QStringLiteral("%1: \"%2\" is %3 px wide in %4 px")
                                                       .arg(where, text)
                                                       .arg(needed)
                                                       .arg(widget->width())));
  }
}

// Answers the next modal widget: its texts are checked and it is closed.
void CheckNextModal(const QString& where, int* seen) {
  qv::test::AnswerNextModal([where, seen](QWidget* modal) {
    ++*seen;
    modal->activateWindow();
    QApplication::setActiveWindow(modal);
    VerifyEnglish(modal, where);
    // The program's own dialogs; Qt lays out its own.
    if (!qobject_cast<QFileDialog*>(modal) && !qobject_cast<QColorDialog*>(modal) && !qobject_cast<QMessageBox*>(modal))
      VerifyNothingClipped(modal, where);
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();
    } else {
      modal->close();
    }
    return true;
  });
}

}  // namespace

class EnglishInterfaceTest : public QObject {
  Q_OBJECT

 private slots:
  void theLocaleChoosesEnglish() { QCOMPARE(qv::ui::InstalledLanguage(), qv::InterfaceLanguage::kEnglish); }

  void theWindowTitleAndTreeSayUntitled() {
    qv::ui::MainWindow window;
    QVERIFY(window.document().OnNewDocument());
    window.RefreshCommandStates();
    QCOMPARE(window.windowTitle(), QStringLiteral("Quorvel Logo 0.2 - Untitled"));
    auto* tree = window.findChild<qv::ui::ModelTreePane*>();
    QVERIFY(tree && tree->topLevelItemCount() == 1);
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("Untitled"));
  }

  void menusToolbarsAndPanesAreEnglish() {
    qv::ui::MainWindow window;
    QVERIFY(window.document().OnNewDocument());
    QVERIFY(qv::testing::AddText(window.document(), "Hi"));  // rows in the tree and the list
    QVERIFY(qv::testing::ShowAndWait(window));
    VerifyEnglish(&window, "window");
    // Every menu of the menu bar, with its mnemonic and the key in its hint.
    QList<QAction*> menus = window.menuBar()->actions();
    QCOMPARE(menus.size(), qsizetype(qv::MenuBar().size()));
    for (QAction* menu : menus) {
      QVERIFY2(menu->text().contains('&'), qPrintable(menu->text()));
      for (QAction* item : menu->menu()->actions()) {
        if (item->isSeparator()) continue;
        QVERIFY2(!HasJapanese(item->text()) && !HasJapanese(item->statusTip()), qPrintable(item->text()));
      }
    }
    // The panes' context menus.
    for (QMenu* menu : window.findChildren<QMenu*>()) VerifyEnglish(menu, "menu " + menu->title());
    // Every command's name and prompt, also of commands only a key or a pane runs.
    for (const qv::Command& command : qv::Commands()) {
      QVERIFY(!HasJapanese(qv::ui::TranslatedText("Commands", command.name)));
      QVERIFY2(!HasJapanese(qv::ui::TranslatedText("Commands", command.prompt)), command.prompt.data());
    }
  }

  void toolbarLabelsAreNotClipped() {
    qv::ui::MainWindow window;
    QVERIFY(window.document().OnNewDocument());
    QVERIFY(qv::testing::ShowAndWait(window));
    const QList<QToolBar*> bars = window.findChildren<QToolBar*>();
    QCOMPARE(bars.size(), 2);
    for (QToolBar* bar : bars) {
      const QImage picture = bar->grab().toImage();
      QVERIFY(!picture.isNull());
      for (QAction* action : bar->actions()) {
        if (action->isSeparator()) continue;
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
        QVERIFY(button);
        const QString label = action->iconText();
        QVERIFY2(!HasJapanese(label), qPrintable(label));
        // Shown on the bar itself (not folded into its overflow menu), whole.
        QVERIFY2(button->isVisible(), qPrintable(label));
        QVERIFY2(bar->rect().contains(button->geometry()), qPrintable(label));
        QVERIFY2(button->width() >= button->fontMetrics().horizontalAdvance(label), qPrintable(label));
        QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(label));
      }
    }
  }

  void everyDialogTheCommandsOpenIsEnglish() {
    qv::ui::MainWindow window;
    QVERIFY(window.document().OnNewDocument());
    QVERIFY(qv::testing::AddText(window.document(), "Hi"));
    window.document().scene().m_selectedModel = 0;
    QVERIFY(qv::testing::ShowAndWait(window));
    using Id = qv::CommandId;
    const Id commands[] = {Id::kOpen,          Id::kSaveAs,   Id::kAddModel,      Id::kCreateText,
                           Id::kKeyFrameDialog, Id::kInsertFrames, Id::kDeleteFrames, Id::kBackgroundColor,
                           Id::kSettings,       Id::kAbout};
    for (Id command : commands) {
      int seen = 0;
      const QString where = QString::fromUtf8(qv::CommandName(command).data());
      CheckNextModal(where, &seen);
      window.document().scene().m_selectedModel = 0;  // the key and frame commands need one
      QVERIFY2(window.IsCommandEnabled(command), qPrintable(where));
      window.RunCommand(command);
      QTRY_VERIFY2_WITH_TIMEOUT(seen == 1, qPrintable(where), 5000);
      QVERIFY2(qv::test::WaitingAnswers() == 0, qPrintable(where));
    }
  }

  void messagesAreEnglish() {
    // The messages as the program fills them in (file names, families, characters, reasons).
    std::vector<std::string> messages = {
        qv::kEnterIntegerMessage, qv::kEnterNumberMessage, qv::kFrameOutOfRangeMessage, qv::kSelectModelMessage,
        qv::kSameNameMessage, qv::kBevelWidthNegativeMessage, qv::kBevelDepthNegativeMessage,
        qv::kBevelDepthTooDeepMessage, qv::kBevelSegmentsMessage, qv::kWebGLScriptFailedMessage,
        qv::kWebGPUScriptFailedMessage, qv::kBackslashInNameMessage, qv::kEmptyTitleMessage,
        qv::kTooManyPosesMessage, qv::kTooManyMaterialsMessage, qv::kTextTooLargeMessage, qv::kResizeFailedMessage,
        qv::ui::kUnregisteredMessage, qv::kTextureFailedMessage,
        qv::FillMessage(qv::kTextureTooLargeMessage, {"/tmp/big.png"}),
        qv::FillMessage(qv::kFamilySubstitutedNote, {"Meiryo", "Noto Sans CJK JP"}),
        qv::FillMessage(qv::kCharactersSubstitutedNote, {"DejaVu Sans", "IPAGothic", "日本"}),
        qv::FillMessage(qv::kCharactersMissingNote, {"x"}),
        qv::FileExportFailureMessage("/tmp/a.mp4", qv::kResizeFailedMessage),
        qv::FileExportFailureMessage("/tmp/a.mp4", "no encoder"),
    };
    for (int id : {61696, 61697, 61698, 61728}) messages.emplace_back(qv::MessageText(id));
    for (int id = 61857; id <= 61870; ++id) messages.push_back(qv::FillMessage(qv::MessageText(id), {"/tmp/doc.qvlogo"}));
    std::string textures = std::string(qv::kTextureFailedMessage) + "\n";
    for (const char* line : {qv::kTextureTooLargeLine, qv::kTextureNotFoundLine, qv::kTextureUnsupportedLine})
      textures += "\n" + qv::FillMessage(line, {"wood.bmp"});
    messages.push_back(textures);
    for (const std::string& message : messages) {
      const QString shown = qv::ui::TranslatedMessage(message);
      QVERIFY2(!HasJapanese(shown) || message.find("日本") != std::string::npos, qPrintable(shown));
    }
    // The pieces come back in their places; a file name that looks like a placeholder stays.
    QCOMPARE(qv::ui::TranslatedMessage(qv::FillMessage(qv::MessageText(61858), {"/tmp/%2.qvlogo"})),
             QStringLiteral("/tmp/%2.qvlogo was not found."));
    QCOMPARE(qv::ui::TranslatedMessage(qv::FileExportFailureMessage("/tmp/a.mp4", qv::kResizeFailedMessage)),
             QStringLiteral("Could not write /tmp/a.mp4.\nResizing failed."));
    QCOMPARE(qv::ui::TranslatedMessage(qv::FillMessage(qv::kCharactersSubstitutedNote, {"A", "B", "日本"})),
             QString::fromUtf8("Characters missing from \"A\" were made with \"B\": 日本"));
    // Texts that are not the program's own pass as they are.
    QCOMPARE(qv::ui::TranslatedMessage("/home/someone/ロゴ.qvlogo"), QString::fromUtf8("/home/someone/ロゴ.qvlogo"));
  }

  void aMessageBoxOfTheDocumentIsEnglish() {
    qv::ui::MainWindow window;
    QVERIFY(window.document().OnNewDocument());
    QVERIFY(qv::testing::ShowAndWait(window));
    QString text;
    qv::test::AnswerNextMessageBox(QMessageBox::Ok, &text);
    window.document().ui().ShowMessage(qv::kSelectModelMessage);
    QCOMPARE(text, QStringLiteral("Please select a model."));
    QCOMPARE(qv::test::WaitingAnswers(), 0);
    // The save question names the untitled document in English too.
    window.document().SetModifiedFlag();
    qv::test::AnswerNextMessageBox(QMessageBox::Cancel, &text);
    QVERIFY(!window.document().SaveModified());
    QCOMPARE(text, QStringLiteral("Save changes to Untitled?"));
  }

  void theOpenDialogSpeaksEnglish() {
    int seen = 0;
    CheckNextModal("open dialog", &seen);
    qv::ui::QtInteraction interaction(nullptr);
    QVERIFY(!interaction.AskOpenPath());
    QCOMPARE(seen, 1);
  }

  void everyTranslationIsEnglishWithItsPlaceholdersKeysAndMnemonics() {
    QFile file(QV_SOURCE_DIR "/src/app/translations/quorvel-logo_en.ts");
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString source;
    int entries = 0;
    static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
    while (!xml.atEnd()) {
      if (xml.readNext() != QXmlStreamReader::StartElement) continue;
      if (xml.name() == QLatin1String("source")) source = xml.readElementText();
      if (xml.name() != QLatin1String("translation")) continue;
      QVERIFY2(xml.attributes().value("type").isEmpty(), qPrintable(source));
      const QString english = xml.readElementText();
      ++entries;
      QVERIFY2(!english.isEmpty() && !HasJapanese(english), qPrintable(source + " -> " + english));
      QStringList wanted, got;
      for (auto it = placeholder.globalMatch(source); it.hasNext();) wanted << it.next().captured();
      for (auto it = placeholder.globalMatch(english); it.hasNext();) got << it.next().captured();
      wanted.sort();
      got.sort();
      QVERIFY2(wanted == got, qPrintable(source + " -> " + english));
      // A menu item keeps its key hint and has a mnemonic when the Japanese has one.
      QCOMPARE(english.section('\t', 1).toLower(), source.section('\t', 1).toLower());
      if (source.contains(QRegularExpression(QStringLiteral("\\(&[A-Z]\\)"))))
        QVERIFY2(english.contains(QRegularExpression(QStringLiteral("&[A-Za-z]"))), qPrintable(english));
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(entries > 300);
  }

  void theHelpPageOpensInEnglish() {
    QFile file(QString::fromStdString(qv::ModuleFolder()) + "Logo_en.html");
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QString page = QString::fromUtf8(file.readAll());
    QVERIFY(page.contains("lang=\"en\""));
    // Every key that does something, each toolbar label as the program shows it.
    for (const qv::Accelerator& accelerator : qv::Accelerators()) {
      if (qv::StatusPrompt(accelerator.command).empty()) continue;
      QString key = qv::ui::AcceleratorKey(accelerator).toString(QKeySequence::PortableText);
      key.replace("Del", "Delete");
      QVERIFY2(page.contains("<kbd>" + key + "</kbd>"), qPrintable(key));
    }
    for (const auto* bar : {&qv::MainToolbar(), &qv::ControlToolbar()})
      for (const qv::ToolbarButton& button : *bar)
        if (button.label) {
          const QString label = qv::ui::TranslatedText("Toolbars", button.label).toHtmlEscaped();
          QVERIFY2(page.contains(label), qPrintable(label));
        }
    // Nothing Japanese but the language's own name.
    QString rest = page;
    rest.remove(QString::fromUtf8("日本語"));
    QVERIFY(!HasJapanese(rest));
  }
};

QV_DESKTOP_TEST_MAIN_UNDER(EnglishInterfaceTest, "en_US.UTF-8")
#include "english_interface_test.moc"
