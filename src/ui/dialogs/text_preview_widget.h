#pragma once
// The create-text dialog's preview: the text as it will be made, drawn by the viewport's renderer
// in a small QOpenGLWidget, lit like the viewport and slowly turning. Changes given in one pass
// of the event loop make one build; builds run on a thread of their own, one at a time, so a
// huge text never holds up typing: changes that come while one runs are built after it, the
// latest only. Nothing here touches the document.
#include <QElapsedTimer>
#include <QOpenGLWidget>
#include <QTimer>
#include <memory>
#include <optional>
#include <thread>

#include "document/text_preview.h"
#include "viewport/scene_renderer.h"

class QLabel;

namespace qv {
class GlDevice;
}

namespace qv::ui {

class TextPreviewWidget : public QOpenGLWidget {
  Q_OBJECT
 public:
  explicit TextPreviewWidget(QWidget* parent = nullptr);
  ~TextPreviewWidget() override;

  // The text to show from the next build on.
  void showText(const TextParameters& parameters);
  // Off, the model holds still at a fixed turn that shows its side (pictures to compare).
  void setTurning(bool turning);
  // Waits for the build that runs, and builds and turns no more (the dialog is closing).
  void stop();

  // Whether the model shown is the one of the last parameters given (no build waiting or running).
  bool isCurrent() const { return !waiting_ && !worker_.joinable(); }
  // Why no model is shown; empty while one is (or the text is empty).
  QString note() const;
  // The scene drawn: the model (if any) and its material.
  const Scene& scene() const { return scene_; }

 signals:
  // A frame was drawn.
  void frameDrawn();
  // A build finished and its model is the one shown now.
  void built();

 protected:
  void initializeGL() override;
  void resizeGL(int width, int height) override;
  void paintGL() override;

 private:
  void StartBuild();
  void TakeBuild(std::shared_ptr<TextPreview> preview);
  void ShowNote(const QString& text);
  void ReleaseDevice();

  Scene scene_;
  SceneRenderer renderer_{scene_};
  std::unique_ptr<GlDevice> device_;
  QLabel* note_;
  QTimer rebuild_;  // zero interval, single shot: one build per burst of changes
  QTimer turn_;     // the frames of the turn
  QElapsedTimer clock_;
  TextParameters wanted_;
  bool waiting_ = false;  // `wanted_` is not built yet
  bool stopped_ = false;
  bool turning_ = true;
  bool glFailed_ = false;  // the note says why nothing can be drawn
  std::thread worker_;
};

}  // namespace qv::ui
