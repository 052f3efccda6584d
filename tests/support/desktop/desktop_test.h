#pragma once
// Shared pieces of the desktop tests: a main that keeps the user's home and XDG folders in a
// temporary folder and fails any modal dialog left unanswered, a user-interaction that answers as the test says, and window helpers.
#include <QApplication>
#include <QImage>
#include <QString>
#include <QtTest>
#include <deque>
#include <string>
#include <vector>

#include "scene/user_interaction.h"
#include "support/desktop/modal_dialogs.h"

namespace qv {
class CMotionDoc;
}
namespace qv::ui {
class MainWindow;
}

namespace qv::testing {

// Points HOME and the XDG folders (QSettings, file-type registration, Qt's file dialog state,
// shader caches) at a fresh temporary folder and asks for OpenGL 3.3 by default. Call before the
// QApplication is made.
void PrepareDesktopTestEnvironment();
// The temporary folder of this run (removed at exit).
QString TestFolder();
// Speaks the language the program chooses under LANG=`lang` (the other locale variables unset,
// no setting): the translations installed as the program installs them. The process's own locale
// stays as it is. Ends the run when a translation file is missing.
void UseInterfaceLanguageOf(const char* lang);

// Answers the document's questions from queues; messages are kept.
class ScriptedInteraction : public UserInteraction {
 public:
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  std::optional<std::pair<int32_t, int32_t>> AskInsertFrames(int32_t, int32_t) override { return std::nullopt; }
  std::optional<std::pair<int32_t, int32_t>> AskDeleteFrames(int32_t, int32_t) override { return std::nullopt; }
  std::optional<KeyFrameChoice> AskKeyFrame(const KeyFrameChoice&) override { return std::nullopt; }
  SaveChangesAnswer AskSaveChanges(std::string_view) override { return saveChanges; }
  std::optional<std::string> AskOpenPath() override;
  std::optional<SavePathChoice> AskSavePath(bool) override;

  std::vector<std::string> messages;
  SaveChangesAnswer saveChanges = SaveChangesAnswer::kNo;
  std::deque<std::string> openPaths;
  std::deque<SavePathChoice> savePaths;
};

// Shows the window, waits until it is exposed and active and the viewport has drawn.
bool ShowAndWait(ui::MainWindow& window);
// Waits for the viewport's next frame (false after five seconds without one).
bool WaitForViewportFrame(ui::MainWindow& window);
// The window as a person sees it, the viewport's OpenGL picture included.
QImage GrabWindow(ui::MainWindow& window);
// Distinct colours in a rectangle of an image (a blank area has one or two).
int DistinctColours(const QImage& image, const QRect& area);
// Shows `window` as the active window (a virtual display has no window manager to make it so).
void ShowActive(QWidget& window);
// A text model made by the document's create-text command (DejaVu Sans); false when none was.
bool AddText(CMotionDoc& doc, const char* text);

}  // namespace qv::testing

// The tests check the Japanese texts as written, whatever the locale of the machine.
#define QV_DESKTOP_TEST_MAIN(TestClass) QV_DESKTOP_TEST_MAIN_UNDER(TestClass, "ja_JP.UTF-8")
#define QV_DESKTOP_TEST_MAIN_UNDER(TestClass, lang)            \
  int main(int argc, char** argv) {                            \
    qv::testing::PrepareDesktopTestEnvironment();              \
    QApplication app(argc, argv);                              \
    qv::testing::UseInterfaceLanguageOf(lang);                 \
    qv::test::WatchForUnansweredDialogs();                     \
    TestClass test;                                            \
    return QTest::qExec(&test, argc, argv);                    \
  }
