#include "ui/main_window.h"

#include <QSplitter>

#include "document/motion_doc.h"
#include "ui/panes/left_panes.h"

namespace qv::ui {

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), interaction_(this), document_(std::make_unique<CMotionDoc>(interaction_)) {
  auto* columns = new QSplitter(Qt::Horizontal, this);
  auto* left = new QSplitter(Qt::Vertical, columns);
  left->addWidget(CreateModelTreePane(*document_, left));
  left->addWidget(CreateMaterialListPane(*document_, left));
  setCentralWidget(columns);
  setWindowTitle(QString::fromUtf8(document_->Title()));
}

MainWindow::~MainWindow() = default;

}  // namespace qv::ui
