#include "ui/dialogs/text_preview_widget.h"

#include <QCoreApplication>
#include <QLabel>
#include <QOpenGLContext>
#include <QVBoxLayout>
#include <algorithm>

#include "viewport/gl_device.h"

namespace qv::ui {

namespace {

// The turn of a still preview: enough to show the side and the bevel.
constexpr float kStillTurnDegrees = 25.0f;
// About thirty frames a second while turning.
constexpr int kTurnFrameMs = 33;


}  // namespace

TextPreviewWidget::TextPreviewWidget(QWidget* parent) : QOpenGLWidget(parent) {
  setObjectName(QStringLiteral("preview"));
  setMinimumSize(320, 160);
  renderer_.m_drawGuides = false;  // the text alone

  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("previewNote"));
  note_->setAlignment(Qt::AlignCenter);
  note_->setWordWrap(true);
  QPalette palette = note_->palette();
  palette.setColor(QPalette::WindowText, Qt::white);  // over the viewport's dark background
  note_->setPalette(palette);
  note_->hide();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(note_);

  rebuild_.setSingleShot(true);
  rebuild_.setInterval(0);
  connect(&rebuild_, &QTimer::timeout, this, &TextPreviewWidget::StartBuild);
  turn_.setInterval(kTurnFrameMs);
  connect(&turn_, &QTimer::timeout, this, [this] {
    if (turning_ && isVisible()) update();
  });
  turn_.start();
  clock_.start();
}

TextPreviewWidget::~TextPreviewWidget() {
  stop();
  ReleaseDevice();
  // QOpenGLWidget's own destructor destroys the context, whose signal must not reach this
  // half-destroyed object.
  if (QOpenGLContext* gl = context()) disconnect(gl, nullptr, this, nullptr);
}

void TextPreviewWidget::showText(const TextParameters& parameters) {
  if (stopped_) return;
  wanted_ = parameters;
  waiting_ = true;
  rebuild_.start();
}

void TextPreviewWidget::setTurning(bool turning) {
  turning_ = turning;
  update();
}

void TextPreviewWidget::stop() {
  stopped_ = true;
  rebuild_.stop();
  turn_.stop();
  if (worker_.joinable()) worker_.join();
}

QString TextPreviewWidget::note() const { return note_->isHidden() ? QString() : note_->text(); }

void TextPreviewWidget::StartBuild() {
  // While a build runs the next waits for it: its end starts the build of the latest text.
  if (stopped_ || !waiting_ || worker_.joinable()) return;
  waiting_ = false;
  worker_ = std::thread([this, parameters = wanted_] {
    auto preview = std::make_shared<TextPreview>();
    try {
      *preview = BuildTextPreview(parameters);
    } catch (const std::exception&) {
      // Out of memory on a huge text: nothing to show but why.
      *preview = TextPreview{};
      preview->note = kTextTooLargeMessage;
    }
    QMetaObject::invokeMethod(this, [this, preview] { TakeBuild(preview); }, Qt::QueuedConnection);
  });
}

void TextPreviewWidget::TakeBuild(std::shared_ptr<TextPreview> preview) {
  if (worker_.joinable()) worker_.join();
  if (device_) {
    // The old model's buffer goes with it; the new one's is made when it is first drawn.
    makeCurrent();
    for (CModel& model : scene_.m_models) renderer_.ReleaseModelBuffer(model);
    doneCurrent();
  }
  scene_ = std::move(preview->scene);
  if (!glFailed_) ShowNote(QString::fromStdString(preview->note));
  update();
  emit built();
  if (waiting_) rebuild_.start();
}

void TextPreviewWidget::ShowNote(const QString& text) {
  note_->setText(text);
  note_->setVisible(!text.isEmpty());
}

void TextPreviewWidget::ReleaseDevice() {
  if (!device_) return;
  makeCurrent();
  renderer_.ReleaseDevice();
  device_.reset();
  doneCurrent();
}

void TextPreviewWidget::initializeGL() {
  // The context is made again when the widget moves to another window: the old one's objects go
  // with it.
  connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &TextPreviewWidget::ReleaseDevice,
          Qt::UniqueConnection);
  std::string error;
  const qreal ratio = devicePixelRatioF();
  device_ = GlDevice::Create(GlDevice::Target::kCurrentFramebuffer, std::max(1, int(width() * ratio)),
                             std::max(1, int(height() * ratio)), &error);
  if (!device_ || renderer_.InitDevice(device_.get()) != 0) {
    if (error.empty()) error = "the preview's buffers cannot be made";
    device_.reset();
    glFailed_ = true;
    ShowNote(QCoreApplication::translate("TextPreviewWidget", "3D 表示を使えません（OpenGL 3.3 が必要です）。\n%1").arg(QString::fromStdString(error)));
  }
}

void TextPreviewWidget::resizeGL(int width, int height) {
  if (!device_ || width < 1 || height < 1) return;
  const qreal ratio = devicePixelRatioF();
  renderer_.ResizeViewport(int(width * ratio), int(height * ratio));
}

void TextPreviewWidget::paintGL() {
  if (!device_) return;
  const float aspect = height() > 0 ? float(width()) / float(height()) : 1.0f;
  PoseTextPreview(scene_, aspect, turning_ ? TextPreviewTurn(clock_.elapsed() / 1000.0) : kStillTurnDegrees);
  QElapsedTimer drawing;
  drawing.start();
  renderer_.RenderFrame();
  // A huge text drawn without a GPU takes a good part of a frame: the turn then slows down so
  // that drawing never takes more than half the user interface's time.
  const qint64 drawnMs = drawing.elapsed();
  turn_.setInterval(int(std::clamp<qint64>(2 * drawnMs, kTurnFrameMs, 1000)));
  emit frameDrawn();
}

}  // namespace qv::ui
