// Empty panes until the model tree and the material list are built.
#include <QLabel>

#include "ui/panes/left_panes.h"

namespace qv::ui {

QWidget* CreateModelTreePane(CMotionDoc&, QWidget* parent) { return new QLabel(parent); }
QWidget* CreateMaterialListPane(CMotionDoc&, QWidget* parent) { return new QLabel(parent); }

}  // namespace qv::ui
