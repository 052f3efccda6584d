#include "ui/viewport_widget.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QWheelEvent>

#include "viewport/gl_device.h"
#include "viewport/headless_render.h"

namespace qv::ui {

namespace {

MouseButton ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton: return MouseButton::kRight;
    case Qt::MiddleButton: return MouseButton::kMiddle;
    default: return MouseButton::kLeft;
  }
}


}  // namespace

void UseOpenGl33ByDefault() {
  QSurfaceFormat format;
  format.setVersion(3, 3);
  format.setProfile(QSurfaceFormat::CoreProfile);
  format.setDepthBufferSize(24);
  format.setRenderableType(QSurfaceFormat::OpenGL);
  QSurfaceFormat::setDefaultFormat(format);
}

bool CanMakeOpenGl33Context(QString* reason) {
  QOpenGLContext context;
  context.setFormat(QSurfaceFormat::defaultFormat());
  if (!context.create()) {
    if (reason) *reason = QStringLiteral("no OpenGL context can be made");
    return false;
  }
  const QSurfaceFormat made = context.format();
  if (made.version() < qMakePair(3, 3)) {
    if (reason)
      *reason = QStringLiteral("OpenGL %1.%2 is too old (3.3 needed)").arg(made.majorVersion()).arg(made.minorVersion());
    return false;
  }
  return true;
}

ViewportWidget::ViewportWidget(CMotionDoc& document, QWidget* parent)
    : QOpenGLWidget(parent), DocumentMouseHost(document), renderer_(document.scene()), mouse_(renderer_, *this) {
  setMouseTracking(false);
  setFocusPolicy(Qt::ClickFocus);
  setMinimumSize(0, 0);
  meter_.Restart(MillisecondClock());
  m_document.AddView(this);
}

ViewportWidget::~ViewportWidget() {
  m_document.RemoveView(this);
  ReleaseDevice();
  // QOpenGLWidget's own destructor destroys the context, whose signal must not reach this
  // half-destroyed object.
  if (QOpenGLContext* gl = context()) disconnect(gl, nullptr, this, nullptr);
}

void ViewportWidget::RestartFrameRateMeter() { meter_.Restart(MillisecondClock()); }

void ViewportWidget::ReleaseDevice() {
  if (!device_) return;
  makeCurrent();
  renderer_.ReleaseDevice();
  device_.reset();
  doneCurrent();
}

void ViewportWidget::initializeGL() {
  // The context is made again when the widget moves to another window: the old one's objects go
  // with it.
  connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &ViewportWidget::ReleaseDevice,
          Qt::UniqueConnection);
  std::string error;
  const qreal ratio = devicePixelRatioF();
  device_ = GlDevice::Create(GlDevice::Target::kCurrentFramebuffer, std::max(1, int(width() * ratio)),
                             std::max(1, int(height() * ratio)), &error);
  if (!device_ || renderer_.InitDevice(device_.get()) != 0) {
    if (error.empty()) error = "the viewport's buffers cannot be made";
    device_.reset();
    failed_ = true;
    emit unavailable(QString::fromStdString(error));
  }
}

void ViewportWidget::resizeGL(int width, int height) {
  if (!device_ || width < 1 || height < 1) return;
  const qreal ratio = devicePixelRatioF();
  renderer_.ResizeViewport(int(width * ratio), int(height * ratio));
}

void ViewportWidget::paintGL() {
  if (!device_) return;
  const std::optional<double> rate = meter_.Step(MillisecondClock(), m_document.scene().m_fps);
  PrepareSceneForDrawing(m_document.scene());
  renderer_.RenderFrame();
  emit frameDrawn(rate ? QString::fromStdString(FrameRateText(*rate)) : QString());
}

void ViewportWidget::OnUpdate(CMotionDoc&, Change changes) {
  // The buffers hold the models' vertices in their materials' colours.
  if (Has(changes, Change::kDocument | Change::kModels | Change::kGeometry | Change::kAppearance)) RebuildModelBuffers();
  update();
}

void ViewportWidget::RebuildModelBuffers() {
  if (!device_) return;
  makeCurrent();
  renderer_.RebuildModelBuffers();
  doneCurrent();
  update();
}

void ViewportWidget::OnReleaseResources(CMotionDoc&) {
  if (!device_) return;
  makeCurrent();
  renderer_.ReleaseSceneResources();
  doneCurrent();
}

void ViewportWidget::ShowValues(const CVector& values) {
  if (showValues) showValues(values);
}

QPoint ViewportWidget::DevicePixels(const QPointF& position) const {
  const qreal ratio = devicePixelRatioF();
  return QPoint(int(position.x() * ratio), int(position.y() * ratio));
}

void ViewportWidget::mousePressEvent(QMouseEvent* event) {
  const QPoint p = DevicePixels(event->position());
  mouse_.OnButtonDown(ButtonOf(event->button()), p.x(), p.y());
  update();
}

void ViewportWidget::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = DevicePixels(event->position());
  mouse_.OnButtonUp(ButtonOf(event->button()), p.x(), p.y());
}

void ViewportWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = DevicePixels(event->position());
  MouseKeys keys;
  keys.left = event->buttons() & Qt::LeftButton;
  keys.middle = event->buttons() & Qt::MiddleButton;
  keys.right = event->buttons() & Qt::RightButton;
  keys.control = event->modifiers() & Qt::ControlModifier;
  mouse_.OnMouseMove(p.x(), p.y(), keys);
}

void ViewportWidget::wheelEvent(QWheelEvent* event) { mouse_.OnWheel(event->angleDelta().y()); }

ViewportPane::ViewportPane(CMotionDoc& document, QWidget* parent) : QStackedWidget(parent) {
  message_ = new QLabel(this);
  message_->setAlignment(Qt::AlignCenter);
  message_->setWordWrap(true);
  addWidget(message_);
  QString reason;
  if (!CanMakeOpenGl33Context(&reason)) {
    ShowMessage(reason);
    return;
  }
  viewport_ = new ViewportWidget(document, this);
  addWidget(viewport_);
  setCurrentWidget(viewport_);
  connect(viewport_, &ViewportWidget::unavailable, this, &ViewportPane::ShowMessage);
}

void ViewportPane::ShowMessage(const QString& reason) {
  message_->setText(QCoreApplication::translate("ViewportPane", "3D 表示を使えません（OpenGL 3.3 が必要です）。\n%1").arg(reason));
  setCurrentWidget(message_);
}

QString ViewportPane::message() const { return currentWidget() == message_ ? message_->text() : QString(); }

}  // namespace qv::ui
