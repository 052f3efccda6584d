// The create-text dialog's live preview under a virtual X display (run it with xvfb-run; Mesa's
// llvmpipe without a GPU): the time from a key typed into the text to the first preview frame
// that shows the new model, the preview turning as it does for the user. Each iteration types a
// character or takes it back again. The longest gap between two ticks of a 5 ms timer meanwhile
// says how long the user interface was held up (the build runs on a thread of its own).
// Without a display's worth of work, BM_BuildTextPreview times the build alone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>

#include "platform/memory_reuse.h"
#include "document/text_preview.h"
#include "ui/dialogs/create_text_dialog.h"
#include "ui/dialogs/text_preview_widget.h"
#include "ui/viewport_widget.h"

namespace {

using namespace qv;

struct PreviewCase {
  const char* font;
  const char* text;  // typed before timing starts
  int repeat;        // the text this many times over
};

const PreviewCase kCases[] = {
    {"DejaVu Sans", "Quorvel Lo", 1},            // 10 Latin characters
    {"IPAGothic", "三次元ロゴ作成ツール", 1},    // 10 Japanese characters
    {"IPAGothic", "ロゴ作成ツールの文字列", 90},  // 990: about as long as a text may be
};

TextParameters Bevelled(const PreviewCase& c) {
  TextParameters p;
  p.fontName = c.font;
  p.bevel = {2.0f, 3.0f, 4, BevelShape::kRound};
  return p;
}

QString TextOf(const PreviewCase& c) {
  QString text;
  for (int i = 0; i < c.repeat; ++i) text += QString::fromUtf8(c.text);
  return text;
}

void SendKey(QWidget* to, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(to, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(to, &release);
}

// Runs the event loop until the preview has drawn the model of the dialog's latest values.
// Returns the longest gap between ticks of a 5 ms timer, in milliseconds; negative on a timeout.
// `builtMs` (when given) gets the time from the call to the moment the model was taken.
double WaitForNewFrame(ui::TextPreviewWidget* preview, double* builtMs = nullptr) {
  QEventLoop loop;
  bool drawn = false;
  QElapsedTimer since;
  since.start();
  QObject::connect(preview, &ui::TextPreviewWidget::built, &loop, [&] {
    if (builtMs) *builtMs = double(since.nsecsElapsed()) / 1e6;
  });
  QObject::connect(preview, &ui::TextPreviewWidget::frameDrawn, &loop, [&] {
    if (!preview->isCurrent()) return;
    drawn = true;
    loop.quit();
  });
  QElapsedTimer gapClock;
  gapClock.start();
  double longestGap = 0;
  QTimer ticks;
  ticks.setInterval(5);
  QObject::connect(&ticks, &QTimer::timeout, &loop, [&] {
    longestGap = std::max(longestGap, double(gapClock.nsecsElapsed()) / 1e6);
    gapClock.restart();
  });
  ticks.start();
  QTimer::singleShot(20000, &loop, &QEventLoop::quit);
  loop.exec();
  return drawn ? longestGap : -1;
}

void BM_KeystrokeToPreviewFrame(benchmark::State& state) {
  const PreviewCase& c = kCases[state.range(0)];
  ui::CreateTextDialog dialog(Bevelled(c), {c.font});
  ui::TextPreviewWidget* preview = dialog.preview();
  if (!preview) {
    state.SkipWithError("no OpenGL 3.3 for the preview");
    return;
  }
  dialog.show();
  dialog.textEdit()->setText(TextOf(c));
  if (WaitForNewFrame(preview) < 0) {
    state.SkipWithError("the preview never showed the text");
    return;
  }
  QLineEdit* edit = dialog.textEdit();
  edit->setFocus();
  edit->end(false);
  double longestGap = 0, builtTotal = 0;
  bool typed = false;
  for (auto _ : state) {
    QElapsedTimer clock;
    clock.start();
    if (typed)
      SendKey(edit, Qt::Key_Backspace, QString());
    else
      SendKey(edit, Qt::Key_A, QStringLiteral("a"));
    typed = !typed;
    double builtMs = 0;
    const double gap = WaitForNewFrame(preview, &builtMs);
    builtTotal += builtMs;
    state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    if (gap < 0) {
      state.SkipWithError("no new frame");
      break;
    }
    longestGap = std::max(longestGap, gap);
  }
  state.counters["characters"] = double(edit->text().size());
  state.counters["longest_ui_gap_ms"] = longestGap;
  // The part until the model was built and taken; the rest is drawing it.
  state.counters["to_built_ms"] = state.iterations() ? builtTotal / double(state.iterations()) : 0;
  state.SetLabel(c.font);
  dialog.reject();
}
BENCHMARK(BM_KeystrokeToPreviewFrame)->DenseRange(0, 2)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_BuildTextPreview(benchmark::State& state) {
  const PreviewCase& c = kCases[state.range(0)];
  TextParameters p = Bevelled(c);
  p.text = TextOf(c).toStdString();
  for (auto _ : state) benchmark::DoNotOptimize(BuildTextPreview(p));
  state.SetLabel(c.font);
}
BENCHMARK(BM_BuildTextPreview)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qv::KeepLargeBlocksForReuse();  // as the desktop program does
  QTemporaryDir home;  // nothing the dialog touches reaches the user's folders
  qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
  qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
  ui::UseOpenGl33ByDefault();
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
