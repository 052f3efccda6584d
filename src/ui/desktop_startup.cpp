#include "ui/desktop_startup.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "document/motion_doc.h"
#include "platform/program_folder.h"
#include "ui/file_type_registration.h"
#include "ui/qt_interaction.h"

namespace qv::ui {

DesktopProgram StartDesktop(const QStringList& arguments, UserInteraction* interaction) {
  DesktopProgram program;
  program.settings = std::make_unique<QtSettingsStore>();
  program.window = std::make_unique<MainWindow>(nullptr, interaction, program.settings.get());

  CMotionDoc& document = program.window->document();
  // Messages of the opening (textures that did not load) wait for the window; a failed open shows
  // its message at once, as there will be no window.
  QtInteraction* own = program.window->OwnInteraction();
  if (own) own->HoldMessages();
  bool carriedOut;
  if (arguments.size() > 1) {
    const std::string path = QFileInfo(arguments[1]).absoluteFilePath().toStdString();
    carriedOut = document.OnOpenDocument(path);
  } else {
    carriedOut = document.OnNewDocument();
  }
  if (!carriedOut) {
    if (own) own->ReleaseMessages();
    program.window.reset();
    return program;
  }
  program.window->SaveSettings();
  program.window->RefreshCommandStates();
  // Maximised; sized to the screen first for desktops whose window manager does not maximise.
  if (QScreen* screen = QGuiApplication::primaryScreen()) program.window->resize(screen->availableGeometry().size());
  program.window->showMaximized();
  // The file type is registered once the event loop runs: its first writing and the database
  // tools never hold up the first frame. An installed program's desktop entry and MIME type are
  // already known to the desktop; copies in the user's folder would only shadow them.
  if (!InstalledWithDesktopFiles(ExecutableFolder()))
    QTimer::singleShot(0, [] { RegisterFileType(QCoreApplication::applicationFilePath()); });
  if (own) QTimer::singleShot(0, program.window.get(), [own] { own->ReleaseMessages(); });
  return program;
}

}  // namespace qv::ui
