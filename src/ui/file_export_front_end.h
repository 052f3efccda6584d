#pragma once
// The desktop program's side of save-as to glTF and movies: the options dialog, a progress
// dialog that can cancel while the frames are drawn on another thread, a busy cursor for glTF,
// and afterwards the status bar's "where it went" with an offer to open the file or its folder.
#include <QUrl>
#include <functional>

#include "publish/file_export_command.h"

class QMainWindow;

namespace qv {
class SettingsStore;
}

namespace qv::ui {

class QtFileExport : public FileExportFrontEnd {
 public:
  // Over `window` (status bar, dialogs); `settings` (may be null) remembers the movie options.
  QtFileExport(QMainWindow* window, SettingsStore* settings) : window_(window), settings_(settings) {}

  // Makes `doc`'s save-as write glTF files and movies through this front end.
  void Install(CMotionDoc& doc);

  bool AskMovieSettings(MovieSettings& settings,
                        const std::function<std::string(const MovieSettings&)>& check) override;
  void WaitForMovie(MovieExportJob& job) override;
  void RunBusy(const std::function<void()>& work) override;
  void ShowWritten(const std::string& path, const std::vector<std::string>& warnings) override;

  // Opens a file or folder with the desktop's handler; tests put their own in so that nothing is
  // launched.
  std::function<bool(const QUrl&)> openUrl;

 private:
  QMainWindow* window_;
  SettingsStore* settings_;
};

}  // namespace qv::ui
