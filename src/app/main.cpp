// quorvel-logo: the desktop program.
#include <QApplication>

#include "platform/memory_reuse.h"
#include "ui/desktop_startup.h"
#include "ui/interface_translation.h"
#include "ui/qt_settings_store.h"
#include "ui/viewport_widget.h"

int main(int argc, char** argv) {
  qv::KeepLargeBlocksForReuse();
  qv::ui::UseOpenGl33ByDefault();  // before the application: every window's context is 3.3 core
  QApplication app(argc, argv);
  // The language is chosen once, before any window exists: the settings' choice, else the
  // locale's. A missing translation file leaves the texts as written.
  {
    const qv::ui::QtSettingsStore settings;
    qv::ui::InstallTranslations(qv::ui::ChosenInterfaceLanguage(&settings));
  }
  // No application display name: the platform would add it to every window title, and the
  // caption is the document's own ("Quorvel Logo 0.2 - 無題", "Quorvel Logo 0.2 - Untitled").
  qv::ui::DesktopProgram program = qv::ui::StartDesktop(QApplication::arguments());
  if (!program.window) return 1;
  return app.exec();
}
