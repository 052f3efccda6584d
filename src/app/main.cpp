// quorvel-logo: the desktop program.
#include <QApplication>

#include "ui/desktop_startup.h"
#include "ui/viewport_widget.h"

int main(int argc, char** argv) {
  qv::ui::UseOpenGl33ByDefault();  // before the application: every window's context is 3.3 core
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("Quorvel Logo"));
  qv::ui::DesktopProgram program = qv::ui::StartDesktop(QApplication::arguments());
  if (!program.window) return 1;
  return app.exec();
}
