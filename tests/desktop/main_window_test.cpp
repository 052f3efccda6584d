// The main window as a person meets it after start-up: title, panes and their sizes, menus,
// toolbars, status bar, the command line, settings and the file type in the desktop.
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "document/command_ids.h"
#include "document/motion_doc.h"
#include "desktop/support/desktop_test.h"
#include "ui/command_table.h"
#include "ui/desktop_startup.h"
#include "ui/file_type_registration.h"
#include "ui/viewport_widget.h"

using qv::testing::ScriptedInteraction;

class UrlCatcher : public QObject {
  Q_OBJECT
 public slots:
  void open(const QUrl& url) { urls << url; }

 public:
  QList<QUrl> urls;
};

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
    auto* play = qobject_cast<QToolButton*>(window.controlToolbar()->widgetForAction(window.action(qv::cmd::kPlay)));
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

  void recentFilesOpenFromTheMenuAndForgetFilesThatFail() {
    ScriptedInteraction ui;
    qv::ui::QtSettingsStore store;
    qv::ui::MainWindow window(nullptr, &ui, &store);
    const QString a = qv::testing::TestFolder() + "/a.qvlogo";
    const QString b = qv::testing::TestFolder() + "/b.qvlogo";
    for (const QString& path : {a, b}) {
      ui.savePaths.push_back({path.toStdString(), qv::SaveType::kDocument});
      window.RunCommand(qv::cmd::kSaveAs);
    }
    const std::vector<std::string>& entries = window.document().m_recentFiles.Entries();
    QVERIFY(entries.size() >= 2);
    QCOMPARE(QString::fromStdString(entries[0]), b);
    QCOMPARE(QString::fromStdString(entries[1]), a);
    QSettings settings("Quorvel Logo Application", "Quorvel Motion");
    QCOMPARE(settings.value("Recent File List/File2").toString(), a);

    window.RunCommand(qv::ui::appcmd::kRecentFileFirst + 1);  // "&2": a
    QCOMPARE(QString::fromStdString(window.document().path()), a);
    QFile::remove(b);
    window.RunCommand(qv::ui::appcmd::kRecentFileFirst + 1);  // now "&2" is b, which is gone
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
    window.RunCommand(qv::ui::appcmd::kUnregister);
    for (const QString& file : qv::ui::RegistrationFiles(data)) QVERIFY(!QFile::exists(file));
    QCOMPARE(ui.messages, std::vector<std::string>{"レジストリを削除しました。"});
  }

  void helpOpensThePageNextToTheProgram() {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    ScriptedInteraction ui;
    qv::ui::MainWindow window(nullptr, &ui);
    window.RunCommand(qv::ui::appcmd::kHelp);
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
