// The desktop program under a virtual X display (run it with xvfb-run; Mesa's llvmpipe without a
// GPU): start-up to the first frame the viewport draws, one drag step of the move handle with
// 20 text models (the mouse event, the pose change and the redraw; real time, and the CPU time of
// the program's own thread, which leaves out llvmpipe's drawing threads), and the memory of the
// idle program with one text model. Settings and the file type go to a temporary folder.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "platform/memory_reuse.h"
#include "document/motion_doc.h"
#include "ui/desktop_startup.h"
#include "ui/viewport_widget.h"
#include "animation/interpolation.h"
#include "viewport/headless_render.h"

namespace {

using namespace qv;

double g_applicationMs = 0;  // making the QApplication, once

// Milliseconds since this process started (10 ms steps: the kernel counts clock ticks).
double MillisecondsSinceProcessStart() {
  QFile stat(QStringLiteral("/proc/self/stat")), uptime(QStringLiteral("/proc/uptime"));
  if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly)) return 0;
  const QByteArray line = stat.readAll();
  const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');  // from field 3 on
  const double startTicks = fields.value(19).toDouble();                              // field 22
  const double now = uptime.readAll().split(' ').value(0).toDouble();
  return (now - startTicks / double(sysconf(_SC_CLK_TCK))) * 1000.0;
}

bool WaitForFrame(ui::ViewportWidget* view) {
  QEventLoop loop;
  bool drawn = false;
  QObject::connect(view, &ui::ViewportWidget::frameDrawn, &loop, [&] {
    drawn = true;
    loop.quit();
  });
  QTimer::singleShot(10000, &loop, &QEventLoop::quit);
  loop.exec();
  return drawn;
}

void AddTextModels(CMotionDoc& document, int count) {
  TextParameters text = document.m_textDefaults;
  text.fontName = "DejaVu Sans";
  text.text = "Logo";
  for (int i = 0; i < count; ++i) {
    document.CreateText(text);
    // Side by side in rows of five.
    document.scene().m_models.back().m_tracks[0][0].m_position = {float(i % 5) * 300 - 600, float(i / 5) * 130 - 200, 0};
  }
  RecomputeAllFrames(document.scene());
}

long ResidentKiB() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
  return 0;
}

void BM_StartupToFirstFrame(benchmark::State& state) {
  double firstFromProcessStart = 0;  // the process's first window: loading, fonts, GL all cold
  for (auto _ : state) {
    QElapsedTimer clock;
    clock.start();
    ui::DesktopProgram program = ui::StartDesktop({QStringLiteral("quorvel-logo")});
    if (!program.window || !WaitForFrame(program.window->viewport())) {
      state.SkipWithError("no frame drawn");
      return;
    }
    state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    if (firstFromProcessStart == 0) firstFromProcessStart = MillisecondsSinceProcessStart();
  }
  state.counters["qapplication_ms"] = g_applicationMs;
  state.counters["first_from_process_start_ms"] = firstFromProcessStart;
}
BENCHMARK(BM_StartupToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_DragStepWith20Models(benchmark::State& state) {
  ui::MainWindow window;
  window.resize(1280, 960);
  window.show();
  AddTextModels(window.document(), 20);
  ui::ViewportWidget* view = window.viewport();
  WaitForFrame(view);
  window.document().scene().m_selectedModel = 0;
  window.document().OnMouseMode(kMouseAnimation);
  window.document().scene().m_axisLock = 3;  // the handle's centre, as a press on it leaves it
  const QPoint start(view->width() / 2, view->height() / 2);
  QMouseEvent press(QEvent::MouseButtonPress, start, view->mapToGlobal(start), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(view, &press);
  int step = 0;
  for (auto _ : state) {
    const QPoint at = start + QPoint((step++ % 40) - 20, 0);
    QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    if (!WaitForFrame(view)) {  // the move asked for a redraw: until it is drawn
      state.SkipWithError("no frame drawn");
      return;
    }
  }
  state.counters["faces"] = double(window.document().scene().m_models[0].m_faces.size() * 20);
}
BENCHMARK(BM_DragStepWith20Models)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The program's own part of a drag step: the mouse event into a pose change and the scene
// prepared for drawing (the renderer's own CPU time is bench_viewport_render's null device).
void BM_DragStepOutsideTheDriver(benchmark::State& state) {
  ui::MainWindow window;
  window.resize(1280, 960);
  window.show();
  AddTextModels(window.document(), 20);
  ui::ViewportWidget* view = window.viewport();
  WaitForFrame(view);
  window.document().scene().m_selectedModel = 0;
  window.document().OnMouseMode(kMouseAnimation);
  window.document().scene().m_axisLock = 3;
  const QPoint start(view->width() / 2, view->height() / 2);
  QMouseEvent press(QEvent::MouseButtonPress, start, view->mapToGlobal(start), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(view, &press);
  int step = 0;
  for (auto _ : state) {
    const QPoint at = start + QPoint((step++ % 40) - 20, 0);
    QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    PrepareSceneForDrawing(window.document().scene());
  }
}
BENCHMARK(BM_DragStepOutsideTheDriver)->Unit(benchmark::kMicrosecond);

void BM_IdleMemoryOneTextModel(benchmark::State& state) {
  ui::MainWindow window;
  window.resize(1280, 960);
  window.show();
  AddTextModels(window.document(), 1);
  WaitForFrame(window.viewport());
  for (auto _ : state) {
    QEventLoop idle;
    QTimer::singleShot(200, &idle, &QEventLoop::quit);
    idle.exec();
  }
  state.counters["rss_MiB"] = double(ResidentKiB()) / 1024.0;
}
BENCHMARK(BM_IdleMemoryOneTextModel)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qv::KeepLargeBlocksForReuse();  // as the desktop program does
  QTemporaryDir home;  // settings and the registered file type stay out of the user's folders
  qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
  qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
  ui::UseOpenGl33ByDefault();
  QElapsedTimer clock;
  clock.start();
  QApplication app(argc, argv);
  g_applicationMs = double(clock.nsecsElapsed()) / 1e6;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
