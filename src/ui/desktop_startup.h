#pragma once
// Start-up of the desktop program: settings, the file type in the desktop, the command line and
// the main window.
#include <QStringList>
#include <memory>

#include "ui/main_window.h"
#include "ui/qt_settings_store.h"

namespace qv::ui {

struct DesktopProgram {
  std::unique_ptr<QtSettingsStore> settings;
  std::unique_ptr<MainWindow> window;
};

// Carries out the command line (`arguments` as QCoreApplication::arguments()): without a file a
// new document, with one that document opened and the window titled with its whole path. The
// file type is registered for this program. The window is shown maximised. Null window when the
// command line could not be carried out (the document has shown why): the program ends.
DesktopProgram StartDesktop(const QStringList& arguments, UserInteraction* interaction = nullptr);

}  // namespace qv::ui
