#include "ui/desktop_startup.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include "document/motion_doc.h"
#include "ui/file_type_registration.h"

namespace qv::ui {

DesktopProgram StartDesktop(const QStringList& arguments, UserInteraction* interaction) {
  DesktopProgram program;
  program.settings = std::make_unique<QtSettingsStore>();
  program.window = std::make_unique<MainWindow>(nullptr, interaction, program.settings.get());
  RegisterFileType(QCoreApplication::applicationFilePath());

  CMotionDoc& document = program.window->document();
  bool carriedOut;
  if (arguments.size() > 1) {
    const std::string path = QFileInfo(arguments[1]).absoluteFilePath().toStdString();
    carriedOut = document.OnOpenDocument(path);
  } else {
    carriedOut = document.OnNewDocument();
  }
  if (!carriedOut) {
    program.window.reset();
    return program;
  }
  program.window->SaveSettings();
  program.window->RefreshCommandStates();
  // Maximised; sized to the screen first for desktops whose window manager does not maximise.
  if (QScreen* screen = QGuiApplication::primaryScreen()) program.window->resize(screen->availableGeometry().size());
  program.window->showMaximized();
  return program;
}

}  // namespace qv::ui
