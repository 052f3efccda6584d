// One session through the real window, as a person works: create a text through the dialog,
// click it, drag the move handle, add a key, go to frame 30, rotate it with the mouse, add a key,
// play a few frames, save, reopen, and publish both web pages (the browser offered for the
// page), every question answered in the program's own dialogs. Pictures of the window are checked
// for the logo and the toolbar, and the saved file with qvlogo.
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMessageBox>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

#include "document/command_ids.h"
#include "document/motion_doc.h"
#include "platform/font_catalog.h"
#include "support/desktop/desktop_test.h"
#include "support/desktop/modal_dialogs.h"
#include "support/desktop/window_gestures.h"
#include "support/qvlogo_run.h"
#include "ui/control_bar_widget.h"
#include "ui/main_window.h"
#include "ui/viewport_widget.h"

using qv::CommandId;
using namespace qv::testing;

// Stands in for the default browser: the pages it was asked to open.
class BrowserCatcher : public QObject {
  Q_OBJECT
 public slots:
  void open(const QUrl& url) { urls << url; }

 public:
  QList<QUrl> urls;
};

class SessionTest : public QObject {
  Q_OBJECT
 private slots:
  void aLogoFromStartToWebPage() {
    if (!qv::IsFamilyInstalled("DejaVu Sans")) QSKIP("DejaVu Sans is not installed");
    const QString folder = TestFolder() + "/session";
    QVERIFY(QDir().mkpath(folder + "/web"));
    QVERIFY(QDir().mkpath(folder + "/gpu"));
    const QString saved = folder + "/Logo.qvlogo";

    qv::ui::MainWindow window;  // the program's own dialogs and message boxes
    window.resize(1100, 850);
    QVERIFY(ShowAndWait(window));
    qv::Scene& scene = window.document().scene();
    const QImage empty = GrabWindow(window);

    // Create text through the dialog.
    QVERIFY(CreateTextThroughDialog(window, "DejaVu Sans", "Q"));
    QCOMPARE(scene.m_models.size(), size_t(1));
    QVERIFY(WaitForViewportFrame(window));

    // The logo is drawn, the toolbar too.
    const QImage withLogo = GrabWindow(window);
    const QPoint logo = HandleCentreOnScreen(window);  // the model's origin, in window pixels
    const QRect around(logo - QPoint(60, 60), QSize(120, 120));
    if (qEnvironmentVariableIsSet("QV_DESKTOP_SHOTS")) {
      withLogo.save(qEnvironmentVariable("QV_DESKTOP_SHOTS") + "/session-logo.png");
    }
    QVERIFY2(ChangedPixels(empty, withLogo, around) > 800, "the logo is not drawn");
    const QRect toolbar(window.mainToolbar()->mapTo(&window, QPoint(0, 0)), window.mainToolbar()->size());
    QVERIFY(DistinctColours(withLogo, toolbar) > 8);

    // Click the model: it is selected and the mouse works on it.
    const QPoint onLogo = NearestChangedPixel(empty, withLogo, logo);
    ClickViewport(window, onLogo);
    QCOMPARE(scene.m_selectedModel, 0);
    QCOMPARE(window.document().m_mouseMode, qv::kMouseAnimation);

    // Drag the move handle to the right.
    DragViewport(window, HandleCentreOnScreen(window), QPoint(80, 0));
    const qv::CVector moved = scene.m_models[0].m_tracks[0][0].m_position;
    QVERIFY2(moved.x > 1.0f, qPrintable(QString::number(moved.x)));
    QCOMPARE(window.controlBar()->field(0)->text().toFloat(), moved.x);
    ClickToolbarButton(window, CommandId::kAddKeySelected);
    QVERIFY(window.document().IsModified());

    // Frame 30: rotate with the mouse, add a key.
    TypeIntoField(window.controlBar()->currentFrameField(), "30");
    QCOMPARE(scene.m_currentFrame, 30);
    ClickToolbarButton(window, CommandId::kRotateMode);
    QCOMPARE(scene.m_transformMode, qv::kTransformRotate);
    QVERIFY(WaitForViewportFrame(window));
    DragViewport(window, HandleCentreOnScreen(window), QPoint(0, 40));
    const qv::CVector turned = scene.m_models[0].m_tracks[0][30].m_rotation;
    QVERIFY2(turned.x != 0.0f, "the drag did not rotate the model");
    ClickToolbarButton(window, CommandId::kAddKeySelected);
    QCOMPARE(window.controlBar()->slider()->Ticks(), (std::vector<int32_t>{0, 30}));

    // Play a few frames and stop.
    ClickToolbarButton(window, CommandId::kPlay);
    QTRY_VERIFY(scene.m_currentFrame >= 3 && scene.m_currentFrame < 30);
    ClickToolbarButton(window, CommandId::kStop);
    QVERIFY(!window.controlBar()->timer().isActive());

    // Save (untitled: the save-as dialog), reopen.
    qv::test::AnswerNextSaveDialog(saved, 0);
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(QFile::exists(saved));
    QVERIFY(window.document().IsModified());  // the first save of an untitled document keeps the mark
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);  // now to its own path
    QVERIFY(!window.document().IsModified());
    QCOMPARE(window.windowTitle(), "Quorvel Logo 0.2 - " + saved);
    window.RunCommand(CommandId::kNew);
    QVERIFY(scene.m_models.empty());
    qv::test::AnswerNextOpenDialog(saved);
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(scene.m_models.size(), size_t(1));
    QCOMPARE(scene.m_models[0].m_tracks[0][0].m_position, moved);
    QCOMPARE(scene.m_models[0].m_tracks[0][30].m_rotation, turned);

    // Both web pages through save-as: the status bar tells where each went and the default
    // browser is offered (taken for the first, declined for the second).
    BrowserCatcher browser;
    QDesktopServices::setUrlHandler("file", &browser, "open");
    QString offer;
    qv::test::AnswerNextSaveDialog(folder + "/web/Logo.html", 1);
    qv::test::AnswerNextMessageBox(QMessageBox::Yes, &offer);
    ClickToolbarButton(window, CommandId::kSaveAs);
    const QString page = QDir::toNativeSeparators(QFileInfo(folder + "/web/Logo.html").absoluteFilePath());
    QVERIFY2(offer.contains(page), qPrintable(offer));
    QVERIFY2(window.messagePane()->text().contains(page), qPrintable(window.messagePane()->text()));
    QCOMPARE(browser.urls, QList<QUrl>{QUrl::fromLocalFile(page)});
    qv::test::AnswerNextSaveDialog(folder + "/gpu/Logo.html", 2);
    qv::test::AnswerNextMessageBox(QMessageBox::No);
    QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(browser.urls.size(), 1);
    QVERIFY(window.messagePane()->text().contains(folder + "/gpu/Logo.html"));
    QVERIFY(window.messagePane()->isVisibleTo(window.statusBar()));
    for (const char* file : {"web/Logo.html", "web/css/styles.css", "web/webgl/Logo.js", "web/webgl/Model_Logo.js",
                             "gpu/Logo.html", "gpu/webgpu/Logo.js", "gpu/webgpu/Model_Logo.js"})
      QVERIFY2(QFile::exists(folder + "/" + file), file);

    // The saved document as the command line reads it.
    const qv::testing::CommandRun qvlogo = qv::testing::Qvlogo({"info", saved.toStdString()}, 30);
    QCOMPARE(qvlogo.status, 0);
    const QJsonObject info = QJsonDocument::fromJson(QByteArray::fromStdString(qvlogo.out)).object();
    QCOMPARE(info["models"].toArray().size(), 1);
    const QJsonObject model = info["models"].toArray()[0].toObject();
    QCOMPARE(model["name"].toString(), QString("Q"));
    QCOMPARE(model["posesPerTrack"].toArray()[0].toInt(), 61);
    QCOMPARE(info["lastFrame"].toInt(), 60);
  }
};

QV_DESKTOP_TEST_MAIN(SessionTest)
#include "session_test.moc"
