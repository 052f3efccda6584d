#include "ui/file_export_front_end.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/movie_options_dialog.h"
#include "ui/qt_settings_store.h"

namespace qv::ui {

namespace {

constexpr int kProgressPollMilliseconds = 30;

}  // namespace

void QtFileExport::Install(CMotionDoc& doc) {
  doc.SetFileExporter([this](CMotionDoc& d, const std::string& path, SaveType type) {
    RunFileExport(d, path, type, *this, settings_);
    if (auto* store = dynamic_cast<QtSettingsStore*>(settings_)) store->Sync();
  });
}

bool QtFileExport::AskMovieSettings(MovieSettings& settings,
                                    const std::function<std::string(const MovieSettings&)>& check) {
  MovieOptionsDialog dialog(settings, check, window_);
  if (dialog.exec() != QDialog::Accepted) return false;
  settings = dialog.settings();
  return true;
}

void QtFileExport::WaitForMovie(MovieExportJob& job) {
  // The frames are drawn and encoded on the job's thread; this loop only shows how far it is, so
  // the window keeps drawing itself. Modal: one export at a time.
  QProgressDialog progress(QCoreApplication::translate("qv::ui::QtFileExport", "動画を書き出しています..."), QCoreApplication::translate("qv::ui::QtFileExport", "キャンセル"), 0, 1, window_);
  progress.setObjectName(QStringLiteral("movieProgress"));
  progress.setWindowTitle(ApplicationName());
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  progress.setMinimumDuration(0);
  progress.setValue(0);
  progress.show();

  QEventLoop loop;
  QTimer poll;
  poll.setInterval(kProgressPollMilliseconds);
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (job.Finished()) {
      loop.quit();
      return;
    }
    const int64_t total = job.Total();
    if (total > 0 && !progress.wasCanceled()) {
      progress.setMaximum(static_cast<int>(total));
      progress.setValue(static_cast<int>(job.Done()));
      progress.setLabelText(QCoreApplication::translate("qv::ui::QtFileExport", "ﾌﾚｰﾑ %1 / %2").arg(job.Done()).arg(total));
    }
  });
  QObject::connect(&progress, &QProgressDialog::canceled, &loop, [&] {
    job.Cancel();
    progress.setLabelText(QCoreApplication::translate("qv::ui::QtFileExport", "中止しています..."));
  });
  poll.start();
  loop.exec();
  progress.hide();
  // The progress was shown without a modal loop of its own: give the keyboard back to the window.
  if (window_) window_->activateWindow();
}

void QtFileExport::RunBusy(const std::function<void()>& work) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  work();
  QApplication::restoreOverrideCursor();
}

void QtFileExport::ShowWritten(const std::string& path, const std::vector<std::string>& warnings) {
  const QString file = QString::fromStdString(path);
  const QString folder = QFileInfo(file).absolutePath();
  if (window_) window_->statusBar()->showMessage(QCoreApplication::translate("qv::ui::QtFileExport", "%1 に書き出しました").arg(QDir::toNativeSeparators(file)));

  QMessageBox box(QMessageBox::Information, ApplicationName(), QCoreApplication::translate("qv::ui::QtFileExport", "%1 に書き出しました。").arg(file),
                  QMessageBox::Close, window_);
  box.setObjectName(QStringLiteral("exportWritten"));
  QStringList notes;
  for (const std::string& warning : warnings) notes << QString::fromStdString(warning);
  if (!notes.isEmpty()) box.setInformativeText(notes.join(QLatin1Char('\n')));
  QPushButton* openFile = box.addButton(QCoreApplication::translate("qv::ui::QtFileExport", "開く"), QMessageBox::ActionRole);
  openFile->setObjectName(QStringLiteral("openFile"));
  QPushButton* openFolder = box.addButton(QCoreApplication::translate("qv::ui::QtFileExport", "フォルダーを開く"), QMessageBox::ActionRole);
  openFolder->setObjectName(QStringLiteral("openFolder"));
  box.setDefaultButton(QMessageBox::Close);
  box.exec();
  std::function<bool(const QUrl&)> open = openUrl;
  if (!open) open = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  if (box.clickedButton() == openFile)
    open(QUrl::fromLocalFile(file));
  else if (box.clickedButton() == openFolder)
    open(QUrl::fromLocalFile(folder));
}

}  // namespace qv::ui
