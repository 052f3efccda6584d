// The main window as a person meets it after start-up: title, panes and their sizes, menus,
// toolbars, status bar, the command line, settings and the file type in the desktop.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "document/command_ids.h"
#include "document/command_layout.h"
#include "document/command_table.h"
#include "document/motion_doc.h"
#include "platform/font_catalog.h"
#include "support/desktop/desktop_test.h"
#include "document/interface_language.h"
#include "ui/command_actions.h"
#include "ui/control_bar_widget.h"
#include "ui/desktop_startup.h"
#include "ui/file_type_registration.h"
#include "ui/viewport_widget.h"
#include "viewport/camera.h"

using qv::testing::ScriptedInteraction;

class UrlCatcher : public QObject {
  Q_OBJECT
 public slots:
  void open(const QUrl& url) { urls << url; }

 public:
  QList<QUrl> urls;
};

namespace {

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// Runs a short X tool on the test's display; its standard output, or an empty text.
QString RunTool(const QString& program, const QStringList& arguments) {
  QProcess tool;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("LC_ALL", "C.UTF-8");  // property texts as UTF-8, not escapes
  tool.setProcessEnvironment(environment);
  tool.start(program, arguments);
  if (!tool.waitForFinished(10000)) {
    tool.kill();
    tool.waitForFinished();
    return {};
  }
  return QString::fromUtf8(tool.readAllStandardOutput());
}

// The top-level X windows of the program (WM_CLASS "quorvel-logo"), by the X tools.
QStringList ProgramWindows() {
  QStringList ids;
  const QString tree = RunTool("xwininfo", {"-root", "-tree"});
  static const QRegularExpression line(R"((0x[0-9a-f]+) .*\("quorvel-logo" "quorvel-logo"\))");
  for (auto match = line.globalMatch(tree); match.hasNext();) ids << match.next().captured(1);
  return ids;
}

// The titles a window manager reads, _NET_WM_NAME and WM_NAME, of the first program window that
// has them; empty until the window is there.
QStringList TitlesTheWindowManagerGets() {
  static const QRegularExpression netName(R"rx(_NET_WM_NAME\(UTF8_STRING\) = "(.*)")rx");
  static const QRegularExpression name(R"rx(WM_NAME\((?:STRING|COMPOUND_TEXT|UTF8_STRING)\) = "(.*)")rx");
  for (const QString& id : ProgramWindows()) {
    const QString properties = RunTool("xprop", {"-id", id, "_NET_WM_NAME", "WM_NAME"});
    const QRegularExpressionMatch a = netName.match(properties), b = name.match(properties);
    if (a.hasMatch() && b.hasMatch()) return {a.captured(1), b.captured(1)};
  }
  return {};
}

// The dark pixels of a line edit's text in its picture, inside the frame.
struct TextInk {
  QRect all;         // every dark pixel
  QRect firstGlyph;  // the dark pixels of the two leftmost dark columns
};
TextInk InkOf(QLineEdit* field) {
  const QImage image = field->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const int frame = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, field) + 1;
  TextInk ink;
  int firstColumn = -1;
  for (int x = frame; x < image.width() - frame; ++x)
    for (int y = frame; y < image.height() - frame; ++y) {
      if (qGray(image.pixel(x, y)) >= 110) continue;
      ink.all |= QRect(x, y, 1, 1);
      if (firstColumn < 0) firstColumn = x;
      if (x <= firstColumn + 1) ink.firstGlyph |= QRect(x, y, 1, 1);
    }
  return ink;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void startsWithAnUntitledDocument() {
    ScriptedInteraction ui;
    qv::ui::DesktopProgram program = qv::ui::StartDesktop({"quorvel-logo"}, &ui);
    QVERIFY(program.window);
    qv::ui::MainWindow& window = *program.window;
    QVERIFY(qv::testing::ShowAndWait(window));
    QVERIFY(window.isMaximized());
    QCOMPARE(window.windowTitle(), QString::fromUtf8("Quorvel Logo 0.2 - 無題"));
    QVERIFY(!window.document().IsModified());
    QVERIFY(window.viewport() && window.viewport()->HasDevice());
    QVERIFY(window.frameRatePane()->text().startsWith("FPS "));
    QCOMPARE(window.shortcutCount(), 55);
    // The file type is registered for the program once it runs.
    for (const QString& file : qv::ui::RegistrationFiles(qv::ui::UserDataFolder()))
      QTRY_VERIFY2(QFile::exists(file), qPrintable(file));

    QStringList titles;
    for (QAction* menu : window.menuBar()->actions()) titles << menu->text();
    QCOMPARE(titles, QStringList({"ﾌｧｲﾙ(&F)", "編集(&E)", "作成(&C)", "操作(&O)", "変形(&T)", "制御(&C)", "設定(&S)",
                                  "表示(&V)", "ﾍﾙﾌﾟ(&H)"}));
    // Both toolbars on the top row, text under 16 x 15 images.
    for (QToolBar* bar : {window.mainToolbar(), window.controlToolbar()}) {
      QCOMPARE(window.toolBarArea(bar), Qt::TopToolBarArea);
      QCOMPARE(bar->iconSize(), QSize(16, 15));
      QCOMPARE(bar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    }
    QCOMPARE(window.mainToolbar()->y(), window.controlToolbar()->y());
    QVERIFY(window.controlToolbar()->x() > window.mainToolbar()->x());
    auto* play = qobject_cast<QToolButton*>(window.controlToolbar()->widgetForAction(window.action(qv::CommandId::kPlay)));
    QVERIFY(play);
    QCOMPARE(play->text(), QString::fromUtf8("再生"));
    QVERIFY(!play->icon().isNull());

    // The picture: a toolbar drawn with its images and the viewport's grid on its background.
    const QImage shot = qv::testing::GrabWindow(window);
    const QRect toolbar(window.mainToolbar()->mapTo(&window, QPoint(0, 0)), window.mainToolbar()->size());
    QVERIFY(qv::testing::DistinctColours(shot, toolbar) > 8);
    const QRect view(window.viewport()->mapTo(&window, QPoint(0, 0)), window.viewport()->size());
    QVERIFY(qv::testing::DistinctColours(shot, view) > 2);
  }

  void panesFollowTheLayoutRules() {
    ScriptedInteraction ui;
    qv::ui::MainWindow window(nullptr, &ui);
    window.resize(1000, 800);
    QVERIFY(qv::testing::ShowAndWait(window));
    QCOMPARE(window.rightSplitter()->handleWidth(), 5);
    QCOMPARE(window.leftSplitter()->handleWidth(), 5);
    const int client = window.height() - window.menuBar()->height();
    QCOMPARE(window.ViewportRowHeight(), client - 150);
    QTRY_COMPARE(window.rightSplitter()->sizes().value(0), client - 150);
    const QList<int> left = window.leftSplitter()->sizes();
    QVERIFY(std::abs(left[0] - left[1]) <= 1);

    // The control toolbar docked at the bottom: one toolbar height less for the viewport.
    const int toolbarHeight = window.mainToolbar()->height();
    window.addToolBar(Qt::BottomToolBarArea, window.controlToolbar());
    window.resize(1000, 700);
    const int smaller = window.height() - window.menuBar()->height();
    QTRY_COMPARE(window.rightSplitter()->sizes().value(0), smaller - 150 - toolbarHeight);
    const QList<int> resized = window.leftSplitter()->sizes();
    QVERIFY(std::abs(resized[0] - resized[1]) <= 1);
  }

  void commandLineOpensTheGivenDocumentAndRemembersIt() {
    const QString path = qv::testing::TestFolder() + "/command line.qvlogo";
    {
      ScriptedInteraction ui;
      qv::ui::MainWindow maker(nullptr, &ui);
      QVERIFY(maker.document().DoStore(path.toStdString()));
    }
    ScriptedInteraction ui;
    {
      qv::ui::DesktopProgram program = qv::ui::StartDesktop({"quorvel-logo", path}, &ui);
      QVERIFY(program.window);
      QCOMPARE(program.window->windowTitle(), "Quorvel Logo 0.2 - " + path);
      QVERIFY(program.window->close());
    }
    QSettings settings("Quorvel Logo Application", "Quorvel Motion");
    QCOMPARE(settings.value("Recent File List/File1").toString(), path);

    // The next start lists it in the file menu.
    qv::ui::DesktopProgram again = qv::ui::StartDesktop({"quorvel-logo"}, &ui);
    QCOMPARE(again.window->document().m_recentFiles.Entries().size(), size_t(1));
    QVERIFY(ui.messages.empty());
  }

  void aFailingOpenOnTheCommandLineEndsTheProgram() {
    ScriptedInteraction ui;
    qv::ui::DesktopProgram program =
        qv::ui::StartDesktop({"quorvel-logo", qv::testing::TestFolder() + "/missing.qvlogo"}, &ui);
    QVERIFY(!program.window);
    QCOMPARE(ui.messages.size(), size_t(1));
  }

  // A document whose sixteen textures are elsewhere opens with one box, naming each texture,
  // shown over the window once it is up rather than before it.
  void missingTexturesAreToldOnceOverTheOpenWindow() {
    const QString path = qv::testing::TestFolder() + "/textures elsewhere.qvlogo";
    {
      ScriptedInteraction ui;
      qv::ui::MainWindow maker(nullptr, &ui);
      qv::Scene& scene = maker.document().scene();
      for (int i = 0; i < 16; ++i) {
        scene.m_materials.emplace_back();
        scene.m_materials.back().m_texture = "gone" + std::to_string(i) + ".png";
      }
      QVERIFY(maker.document().DoStore(path.toStdString()));
    }
    int boxes = 0;
    bool windowWasUp = false;
    QString text;
    qv::test::AnswerNextModal([&](QWidget* widget) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      if (!box) return false;
      ++boxes;
      text = box->text();
      for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<qv::ui::MainWindow*>(top) && top->isVisible()) windowWasUp = true;
      box->button(QMessageBox::Ok)->click();
      return true;
    });
    qv::ui::DesktopProgram program = qv::ui::StartDesktop({"quorvel-logo", path}, nullptr);
    QVERIFY(program.window);
    QTRY_COMPARE_WITH_TIMEOUT(boxes, 1, 5000);
    QVERIFY(windowWasUp);
    for (int i = 0; i < 16; ++i) QVERIFY2(text.contains(QString("gone%1.png").arg(i)), qPrintable(text));
    QTest::qWait(300);  // a second box would have come by now (and the watch fails it)
    QCOMPARE(boxes, 1);
    program.window->document().SetModifiedFlag(false);
    QVERIFY(program.window->close());
  }

  void recentFilesOpenFromTheMenuAndForgetFilesThatFail() {
    ScriptedInteraction ui;
    qv::ui::QtSettingsStore store;
    qv::ui::MainWindow window(nullptr, &ui, &store);
    const QString a = qv::testing::TestFolder() + "/a.qvlogo";
    const QString b = qv::testing::TestFolder() + "/b.qvlogo";
    for (const QString& path : {a, b}) {
      ui.savePaths.push_back({path.toStdString(), qv::SaveType::kDocument});
      window.RunCommand(qv::CommandId::kSaveAs);
    }
    const std::vector<std::string>& entries = window.document().m_recentFiles.Entries();
    QVERIFY(entries.size() >= 2);
    QCOMPARE(QString::fromStdString(entries[0]), b);
    QCOMPARE(QString::fromStdString(entries[1]), a);
    QSettings settings("Quorvel Logo Application", "Quorvel Motion");
    QCOMPARE(settings.value("Recent File List/File2").toString(), a);

    // The file menu lists them, most recent first, between its separators.
    QMenu* file = window.menuBar()->actions().value(0)->menu();
    emit file->aboutToShow();
    QStringList shown;
    for (QAction* item : file->actions())
      if (item->isVisible() && item->text().startsWith('&')) shown << item->text();
    QVERIFY(shown.size() >= 2);
    QCOMPARE(shown[0], "&1 " + b);
    QCOMPARE(shown[1], "&2 " + a);
    window.RunCommand(qv::RecentFileCommand(1));  // "&2": a
    QCOMPARE(QString::fromStdString(window.document().path()), a);
    QFile::remove(b);
    window.RunCommand(qv::RecentFileCommand(1));  // now "&2" is b, which is gone
    QCOMPARE(QString::fromStdString(window.document().m_recentFiles.Entries()[0]), a);
    QVERIFY(std::find(entries.begin(), entries.end(), b.toStdString()) == entries.end());
    QCOMPARE(ui.messages.size(), size_t(1));
  }

  void fileTypeIsRegisteredAndRemoved() {
    const QString data = qgetenv("XDG_DATA_HOME");
    QVERIFY(data.startsWith(qv::testing::TestFolder()));
    QVERIFY(qv::ui::RegisterFileType("/opt/quorvel logo/quorvel-logo", qv::ui::DatabaseUpdate::kWait));
    for (const QString& file : qv::ui::RegistrationFiles(data)) QVERIFY2(QFile::exists(file), qPrintable(file));
    QFile desktop(data + "/applications/quorvel-logo.desktop");
    QVERIFY(desktop.open(QIODevice::ReadOnly));
    const QByteArray entry = desktop.readAll();
    QVERIFY(entry.contains("Exec=\"/opt/quorvel logo/quorvel-logo\" %f\n"));
    QVERIFY(entry.contains("MimeType=application/x-qvlogo;\n"));
    if (!QStandardPaths::findExecutable("update-mime-database").isEmpty()) {
      QFile globs(data + "/mime/globs2");
      QVERIFY(globs.open(QIODevice::ReadOnly));
      QVERIFY(globs.readAll().contains("application/x-qvlogo:*.qvlogo"));
    }

    ScriptedInteraction ui;
    qv::ui::MainWindow window(nullptr, &ui);
    window.RunCommand(qv::CommandId::kUnregister);
    for (const QString& file : qv::ui::RegistrationFiles(data)) QVERIFY(!QFile::exists(file));
    QCOMPARE(ui.messages, std::vector<std::string>{"レジストリを削除しました。"});
  }

  void windowManagerGetsTheDocumentsCaption() {
    // The program as a person starts it, on this test's display: its window's title property is
    // the document's caption alone (no application name added by the platform).
    if (QStandardPaths::findExecutable("xprop").isEmpty() || QStandardPaths::findExecutable("xwininfo").isEmpty())
      QSKIP("xprop and xwininfo (x11-utils) are needed");
    // In Japanese whatever the machine's locale: the program's language setting.
    qv::ui::QtSettingsStore settings;
    settings.Write(qv::kLanguageSection, qv::kLanguageName, "ja");
    settings.Sync();
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QStringLiteral(QV_BIN_DIR "/quorvel-logo"), {});
    QVERIFY(program.waitForStarted(10000));
    // The window is named after the program until the caption is set.
    QStringList titles;
    for (int i = 0; i < 150 && !titles.value(0).startsWith("Quorvel Logo 0.2") && program.state() == QProcess::Running;
         ++i) {
      QTest::qWait(100);
      titles = TitlesTheWindowManagerGets();
    }
    program.terminate();
    if (!program.waitForFinished(10000)) {
      program.kill();
      program.waitForFinished();
    }
    settings.Remove(qv::kLanguageSection, qv::kLanguageName);
    settings.Sync();
    const QString caption = QString::fromUtf8("Quorvel Logo 0.2 - 無題");
    QCOMPARE(titles, (QStringList{caption, caption}));
  }

  void statusBarShowsEachCommandsPrompt() {
    ScriptedInteraction ui;
    qv::ui::MainWindow window(nullptr, &ui);
    window.resize(1280, 900);  // room for both toolbars' buttons
    QVERIFY(qv::testing::ShowAndWait(window));
    // Every button carries its command's prompt, and its name as the tool tip; the status bar
    // shows the prompt while the pointer is on the button.
    int hovered = 0;
    const std::pair<QToolBar*, const std::vector<qv::ToolbarButton>*> bars[] = {
        {window.mainToolbar(), &qv::MainToolbar()}, {window.controlToolbar(), &qv::ControlToolbar()}};
    for (const auto& [bar, buttons] : bars)
      for (const qv::ToolbarButton& entry : *buttons) {
        if (entry.command == qv::CommandId::kNone) continue;
        QAction* item = window.action(entry.command);
        QVERIFY(item);
        const QString prompt = Utf8(qv::StatusPrompt(entry.command));
        QVERIFY2(!prompt.isEmpty(), entry.label);
        QCOMPARE(item->statusTip(), prompt);
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(item));
        QVERIFY(button);
        QCOMPARE(button->toolTip(), Utf8(qv::CommandName(entry.command)));
        if (!button->isEnabled() || !button->isVisible()) continue;  // disabled, or in the overflow menu
        QTest::mouseMove(button, button->rect().center());
        QTRY_COMPARE(window.statusBar()->currentMessage(), prompt);
        ++hovered;
      }
    QVERIFY2(hovered >= 15, qPrintable(QString::number(hovered)));
    // The menu items likewise, while the pointer is on them.
    for (const qv::Menu& menu : qv::MenuBar())
      for (const qv::MenuItem& entry : menu.items)
        if (QAction* item = window.action(entry.command)) QCOMPARE(item->statusTip(), Utf8(qv::StatusPrompt(entry.command)));
    for (QAction* popup : window.menuBar()->actions()) {
      QMenu* menu = popup->menu();
      menu->popup(window.mapToGlobal(QPoint(40, 40)));
      QVERIFY(QTest::qWaitForWindowExposed(menu));
      for (QAction* item : menu->actions()) {
        if (item->isSeparator() || !item->isVisible() || !item->isEnabled()) continue;
        QVERIFY2(!item->statusTip().isEmpty(), qPrintable(item->text()));
        QTest::mouseMove(menu, menu->actionGeometry(item).center());
        QTRY_COMPARE(window.statusBar()->currentMessage(), item->statusTip());
        ++hovered;
      }
      menu->hide();
    }
    QVERIFY2(hovered >= 50, qPrintable(QString::number(hovered)));
  }

  void promptsAreTheCommandTablesOwn_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("name");
    QTest::newRow("animation mouse mode") << int(qv::CommandId::kMouseAnimation) << QString::fromUtf8("ﾏｳｽでの操作をｱﾆﾒｰｼｮﾝにする")
                                          << QString::fromUtf8("ﾏｳｽでｱﾆﾒｰｼｮﾝ操作");
    QTest::newRow("create text") << int(qv::CommandId::kCreateText) << QString::fromUtf8("文字作成") << QString::fromUtf8("文字作成");
    QTest::newRow("add model") << int(qv::CommandId::kAddModel) << QString::fromUtf8("ﾓﾃﾞﾙを追加する") << QString::fromUtf8("ﾓﾃﾞﾙ追加");
    QTest::newRow("add key, all models") << int(qv::CommandId::kAddKeyAll)
                                         << QString::fromUtf8("全ﾓﾃﾞﾙの現在ﾌﾚｰﾑにｷｰﾌﾚｰﾑを追加")
                                         << QString::fromUtf8("全ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ追加");
    QTest::newRow("smooth shading") << int(qv::CommandId::kSmoothShading)
                                    << QString::fromUtf8("ｽﾑｰｽﾞ･ｼｪｰﾃﾞｨﾝｸﾞとﾌﾗｯﾄ･ｼｪｰﾃﾞｨﾝｸﾞを切り替える")
                                    << QString::fromUtf8("ｽﾑｰｽﾞ･ｼｪｰﾃﾞｨﾝｸﾞ");
  }
  void promptsAreTheCommandTablesOwn() {
    QFETCH(int, id);
    const auto command = qv::CommandId(id);
    QFETCH(QString, prompt);
    QFETCH(QString, name);
    ScriptedInteraction ui;
    qv::ui::MainWindow window(nullptr, &ui);
    if (QAction* item = window.action(command)) {  // the mouse modes have keys only
      QCOMPARE(item->statusTip(), prompt);
      QCOMPARE(item->toolTip(), name);
    }
    QCOMPARE(Utf8(qv::StatusPrompt(command)), prompt);
    QCOMPARE(Utf8(qv::CommandName(command)), name);
  }

  void xyzFieldsShowTheirValuesWhole_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pointSize");
    QTest::newRow("the desktop's font") << QString() << 0;
    QTest::newRow("DejaVu Sans 9") << "DejaVu Sans" << 9;
    QTest::newRow("DejaVu Sans 16") << "DejaVu Sans" << 16;
    QTest::newRow("IPAGothic 12") << "IPAGothic" << 12;
    QTest::newRow("Noto Sans CJK JP 11") << "Noto Sans CJK JP" << 11;
  }
  void xyzFieldsShowTheirValuesWhole() {
    QFETCH(QString, family);
    QFETCH(int, pointSize);
    QFont font = QApplication::font();
    if (!family.isEmpty()) {
      if (!qv::IsFamilyInstalled(family.toStdString())) QSKIP("the font is not installed");
      font = QFont(family, pointSize);
    }
    ScriptedInteraction ui;
    qv::CMotionDoc doc(ui);
    qv::ui::ControlBarWidget bar(doc);
    bar.setFont(font);
    bar.resize(1000, 150);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    // Up to five whole digits and a sign show whole; longer values show their start.
    for (const float value : {-150.0f, -1500.0f, -12345.5f, -123456789.0f}) {
      for (int path = 0; path < 2; ++path) {
        if (path == 0) {
          bar.ShowValues({value, value, value});  // a mouse gesture in the viewport
        } else {
          qv::CameraPose(doc.scene()).m_position = {value, value, value};
          doc.UpdateAllViews(qv::Change::kCameraView);  // the control bar's own fields
        }
        for (int i = 0; i < 3; ++i) {
          QLineEdit* field = bar.field(i);
          const QString text = field->text();
          QVERIFY2(text.startsWith('-'), qPrintable(text));
          const TextInk ink = InkOf(field);
          QVERIFY2(!ink.all.isEmpty(), qPrintable(text));
          // The sign comes first: a short bar at mid height, not a digit's edge.
          const QString where = QString("%1: first glyph %2,%3 %4x%5 in %6,%7 %8x%9")
                                    .arg(text).arg(ink.firstGlyph.x()).arg(ink.firstGlyph.y())
                                    .arg(ink.firstGlyph.width()).arg(ink.firstGlyph.height()).arg(ink.all.x())
                                    .arg(ink.all.y()).arg(ink.all.width()).arg(ink.all.height());
          QVERIFY2(ink.firstGlyph.height() <= std::max(2, ink.all.height() / 5), qPrintable(where));
          QVERIFY2(ink.firstGlyph.top() > ink.all.top() + ink.all.height() / 4, qPrintable(where));
          QVERIFY2(ink.firstGlyph.bottom() < ink.all.bottom() - ink.all.height() / 4, qPrintable(where));
          if (text.size() <= 13) {
            // Whole: the text and the edit's margins (2 pixels a side within the frame) fit.
            const int frame = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, field);
            QVERIFY2(field->fontMetrics().horizontalAdvance(text) + 2 * frame + 4 <= field->width(),
                     qPrintable(where + QString(", field %1 wide").arg(field->width())));
          }
        }
      }
    }
    // The frame fields and the slider moved right of the X/Y/Z column.
    QVERIFY(bar.sliderLeft() >= bar.field(0)->geometry().right());
    QVERIFY(bar.slider()->x() == bar.sliderLeft());
    QVERIFY(bar.axisBox(0)->geometry().right() < bar.field(0)->x());
  }

  void helpDescribesTheMouseAndEveryKey() {
    QFile file(QV_SOURCE_DIR "/src/app/help/Logo.html");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll());
    // Every key that does something is in the page.
    for (const qv::Accelerator& accelerator : qv::Accelerators()) {
      if (qv::StatusPrompt(accelerator.command).empty()) continue;  // ids nothing handles
      QString key = qv::ui::AcceleratorKey(accelerator).toString(QKeySequence::PortableText);
      key.replace("Del", "Delete");
      QVERIFY2(page.contains("<kbd>" + key + "</kbd>"), qPrintable(key));
    }
    // The viewport's gestures as the program has them.
    QMap<QString, QString> rows;
    static const QRegularExpression row(R"(<tr><td>(.*?)</td><td>(.*?)</td></tr>)");
    for (auto match = row.globalMatch(page); match.hasNext();) {
      const QRegularExpressionMatch m = match.next();
      rows[m.captured(1)] = m.captured(2);
    }
    const std::pair<const char*, const char*> gestures[] = {
        {"右ドラッグ", "カメラを回転"},
        {"左ドラッグ(カメラのモード)", "カメラを上下左右に平行移動"},
        {"左ドラッグ(アニメーションのモード)", "選択中のモデル"},
        {"<kbd>Ctrl</kbd>+右ドラッグ", "カメラを回転"},
        {"<kbd>Ctrl</kbd>+左ドラッグ、中ボタンでドラッグ", "カメラを平行移動"},
        {"左右のボタンを押したままドラッグ", "ズーム"},
        {"ホイール", "ズーム"},
        {"モデルを右クリック", "メニュー"},
        {"モデルをほかの項目へドラッグ", "子にします"},
        {"<kbd>Ctrl</kbd> を押したままドロップ", "階層は変わりません"},
    };
    for (const auto& [gesture, effect] : gestures) {
      QVERIFY2(rows.contains(QString::fromUtf8(gesture)), gesture);
      QVERIFY2(rows[QString::fromUtf8(gesture)].contains(QString::fromUtf8(effect)), gesture);
    }
  }

  void helpOpensThePageNextToTheProgram() {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    ScriptedInteraction ui;
    qv::ui::MainWindow window(nullptr, &ui);
    window.RunCommand(qv::CommandId::kHelp);
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(catcher.urls.size(), 1);
    const QString page = catcher.urls[0].toLocalFile();
    QVERIFY(page.endsWith("/Logo.html"));
    QFile file(page);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(page));
    QVERIFY(file.readAll().contains("lang=\"ja\""));
  }
};

QV_DESKTOP_TEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
