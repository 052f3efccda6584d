#pragma once
// The main window: panes, menus, toolbars and the status bar over one document.
#include <QMainWindow>
#include <memory>

#include "ui/qt_interaction.h"

namespace qv {
class CMotionDoc;
}

namespace qv::ui {

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  CMotionDoc& document() { return *document_; }

 private:
  QtInteraction interaction_;
  std::unique_ptr<CMotionDoc> document_;
};

}  // namespace qv::ui
