#include "support/desktop/desktop_test.h"

#include <QOpenGLWidget>
#include <QPainter>
#include <QSet>
#include <cstdlib>
#include <filesystem>
#include <utility>

#include "document/motion_doc.h"
#include "support/home_folders.h"
#include "ui/interface_translation.h"
#include "ui/main_window.h"
#include "ui/viewport_widget.h"

namespace qv::testing {

namespace {
std::string g_folder;
void RemoveTestFolder() {
  std::error_code ignored;
  if (!g_folder.empty()) std::filesystem::remove_all(g_folder, ignored);
}
}  // namespace

void PrepareDesktopTestEnvironment() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qv-desktop-XXXXXX").string();
  if (!mkdtemp(pattern.data())) std::abort();
  g_folder = pattern;
  std::atexit(RemoveTestFolder);
  PointHomeFoldersAt(g_folder);
  ui::UseOpenGl33ByDefault();
}

QString TestFolder() { return QString::fromStdString(g_folder); }

void UseInterfaceLanguageOf(const char* lang) {
  LocaleVariables variables;
  variables.lang = lang;
  const InterfaceLanguage language = ChooseInterfaceLanguage(LanguageSetting::kSystem, variables);
  if (!ui::InstallTranslations(language)) qFatal("no translation file for LANG=%s in %s", lang, qPrintable(ui::TranslationFolder()));
}

std::optional<std::string> ScriptedInteraction::AskOpenPath() {
  if (openPaths.empty()) return std::nullopt;
  std::string path = openPaths.front();
  openPaths.pop_front();
  return path;
}

std::optional<SavePathChoice> ScriptedInteraction::AskSavePath(bool) {
  if (savePaths.empty()) return std::nullopt;
  SavePathChoice choice = savePaths.front();
  savePaths.pop_front();
  return choice;
}

bool WaitForViewportFrame(ui::MainWindow& window) {
  ui::ViewportWidget* view = window.viewport();
  if (!view) return false;
  QSignalSpy frames(view, &ui::ViewportWidget::frameDrawn);
  view->update();
  return frames.wait(5000);
}

bool ShowAndWait(ui::MainWindow& window) {
  // Room for the viewport: without a window manager a window keeps the size it was given.
  if (window.height() < 700) window.resize(std::max(window.width(), 1000), 800);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) {
    qWarning("the window was not exposed");
    return false;
  }
  window.activateWindow();
  QApplication::setActiveWindow(&window);
  if (!QTest::qWaitForWindowActive(&window)) {
    qWarning("the window did not become active");
    return false;
  }
  if (!WaitForViewportFrame(window)) {
    qWarning("the viewport drew no frame");
    return false;
  }
  return true;
}

QImage GrabWindow(ui::MainWindow& window) {
  QImage image = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
  // QWidget::grab leaves OpenGL widgets as the framebuffer they last drew; take that picture.
  if (ui::ViewportWidget* view = window.viewport()) {
    const QImage frame = view->grabFramebuffer();
    QPainter painter(&image);
    painter.drawImage(view->mapTo(&window, QPoint(0, 0)), frame.scaled(view->size()));
  }
  return image;
}

int DistinctColours(const QImage& image, const QRect& area) {
  QSet<QRgb> colours;
  const QRect clipped = area.intersected(image.rect());
  for (int y = clipped.top(); y <= clipped.bottom(); ++y)
    for (int x = clipped.left(); x <= clipped.right(); ++x) colours.insert(image.pixel(x, y));
  return int(colours.size());
}

void ShowActive(QWidget& window) {
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  window.activateWindow();
  QApplication::setActiveWindow(&window);
}

bool AddText(CMotionDoc& doc, const char* text) {
  TextParameters parameters;
  parameters.fontName = "DejaVu Sans";
  parameters.text = text;
  parameters.subdivisions = 2;
  return doc.CreateText(parameters);
}

}  // namespace qv::testing
