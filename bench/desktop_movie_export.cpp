// A 60-frame 800x600 MP4 of the same document written from the window (save-as's command: the
// job's thread drawing and encoding, the window's event loop polling the progress dialog) and by
// `qvlogo movie` (a process of its own: loading the document included). Run under a display, for
// example xvfb-run. Settings go to a temporary folder.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/memory_reuse.h"
#include "document/motion_doc.h"
#include "ui/desktop_startup.h"
#include "ui/file_export_front_end.h"
#include "ui/main_window.h"
#include "ui/viewport_widget.h"

namespace {

using namespace qv;

const QString kDocument = QStringLiteral(QV_SOURCE_DIR "/tests/data/gltf/hierarchy.qvlogo");
const QString kQvlogo = QStringLiteral(QV_BIN_DIR "/qvlogo");

// The window's front end with the options answered (frames 0 to 59 at 800x600) and no offer.
class AnsweredExport : public ui::QtFileExport {
 public:
  using QtFileExport::QtFileExport;
  bool AskMovieSettings(MovieSettings& settings, const std::function<std::string(const MovieSettings&)>& check) override {
    settings.width = 800;
    settings.height = 600;
    settings.firstFrame = 0;
    settings.lastFrame = 59;
    return check(settings).empty();
  }
  void ShowWritten(const std::string&, const std::vector<std::string>&) override {}
};

void BM_Mp4FromTheWindow(benchmark::State& state) {
  QTemporaryDir out;
  ui::MainWindow window;
  window.show();
  if (!window.document().OnOpenDocument(kDocument.toStdString())) {
    state.SkipWithError("cannot open the document");
    return;
  }
  AnsweredExport front(&window, nullptr);
  const std::string path = out.filePath(QStringLiteral("window.mp4")).toStdString();
  for (auto _ : state) {
    QElapsedTimer clock;
    clock.start();
    if (RunFileExport(window.document(), path, SaveType::kMp4, front, nullptr) != FileExportResult::kWritten)
      state.SkipWithError("the export failed");
    state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
  }
}
BENCHMARK(BM_Mp4FromTheWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Mp4FromTheCommandLine(benchmark::State& state) {
  QTemporaryDir out;
  const QString path = out.filePath(QStringLiteral("cli.mp4"));
  for (auto _ : state) {
    QElapsedTimer clock;
    clock.start();
    QProcess qvlogo;
    qvlogo.start(kQvlogo, {"movie", kDocument, "-o", path, "--size", "800x600", "--from", "0", "--to", "59"});
    if (!qvlogo.waitForFinished(600000) || qvlogo.exitCode() != 0) state.SkipWithError("qvlogo movie failed");
    state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
  }
}
BENCHMARK(BM_Mp4FromTheCommandLine)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  qv::KeepLargeBlocksForReuse();  // as the desktop program does
  QTemporaryDir home;  // settings and the registered file type stay out of the user's folders
  qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
  qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
  ui::UseOpenGl33ByDefault();
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
