#pragma once
// The viewport pane: the scene drawn by the OpenGL 3.3 device inside a QOpenGLWidget, mouse
// gestures forwarded to the viewport's mouse controller. It is a view of the document and
// redraws on every change. Without a usable OpenGL it shows why, and the rest of the program
// works on.
#include <QOpenGLWidget>
#include <QStackedWidget>
#include <functional>
#include <memory>

#include "document/document_mouse_host.h"
#include "document/document_view.h"
#include "viewport/frame_rate_meter.h"
#include "viewport/scene_renderer.h"
#include "viewport/viewport_mouse.h"

class QLabel;

namespace qv {
class GlDevice;
}

namespace qv::ui {

class ViewportWidget : public QOpenGLWidget, public DocumentView, public DocumentMouseHost {
  Q_OBJECT
 public:
  explicit ViewportWidget(CMotionDoc& document, QWidget* parent = nullptr);
  ~ViewportWidget() override;

  // DocumentView
  void OnUpdate(CMotionDoc& document, Change changes) override;
  void OnReleaseResources(CMotionDoc& document) override;
  // ViewportHost
  void Redraw() override { update(); }
  void ShowValues(const CVector& values) override;

  // The control bar's X, Y, Z fields, reached from mouse gestures (set by the main window).
  std::function<void(const CVector&)> showValues;
  // Restarts the frame-rate meter (a new window).
  void RestartFrameRateMeter();
  bool HasDevice() const { return renderer_.HasDevice(); }
  // Every model's vertex array and buffer made again (the smoothing angle changed).
  void RebuildModelBuffers();
  SceneRenderer& renderer() { return renderer_; }

 signals:
  // The device could not be made: `reason` says why.
  void unavailable(const QString& reason);
  // A frame was drawn (the frame-rate meter's text when it measured a new rate, else empty).
  void frameDrawn(const QString& frameRateText);

 protected:
  void initializeGL() override;
  void resizeGL(int width, int height) override;
  void paintGL() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void ReleaseDevice();
  QPoint DevicePixels(const QPointF& position) const;

  SceneRenderer renderer_;
  ViewportMouse mouse_;
  std::unique_ptr<GlDevice> device_;
  FrameRateMeter meter_;
  bool failed_ = false;
};

// The pane that holds the viewport, or the message that replaced it.
class ViewportPane : public QStackedWidget {
  Q_OBJECT
 public:
  ViewportPane(CMotionDoc& document, QWidget* parent = nullptr);
  ViewportWidget* viewport() const { return viewport_; }  // null when OpenGL is unusable
  // The message shown instead of the viewport; empty while the viewport works.
  QString message() const;

 private:
  void ShowMessage(const QString& reason);
  ViewportWidget* viewport_ = nullptr;
  QLabel* message_ = nullptr;
};

// Asks for an OpenGL 3.3 core context with depth for every window; call before the
// QApplication is made.
void UseOpenGl33ByDefault();
// Whether a 3.3 core context can be made here; `reason` says why not.
bool CanMakeOpenGl33Context(QString* reason);

}  // namespace qv::ui
