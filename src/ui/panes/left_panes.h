#pragma once
// The two left panes of the main window: the model tree (top) and the material list (bottom).
// Each follows the document's changes and forwards the user's gestures to it.
class QWidget;

namespace qv {
class CMotionDoc;
}

namespace qv::ui {

QWidget* CreateModelTreePane(CMotionDoc& document, QWidget* parent);
QWidget* CreateMaterialListPane(CMotionDoc& document, QWidget* parent);

}  // namespace qv::ui
