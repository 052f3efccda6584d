#include "support/desktop/window_gestures.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolBar>
#include <QtTest>

#include "document/command_ids.h"
#include "document/motion_doc.h"
#include "support/desktop/desktop_test.h"
#include "support/desktop/modal_dialogs.h"
#include "ui/main_window.h"
#include "ui/viewport_widget.h"
#include "viewport/current_pose.h"

namespace qv::testing {

namespace {

CVector Project(const SceneRenderer& renderer, const CVector& p) {
  const float in[4] = {p.x, p.y, p.z, 1};
  float viewed[4] = {0, 0, 0, 0}, clip[4] = {0, 0, 0, 0};
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) viewed[c] += in[r] * renderer.m_view.m[r][c];
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) clip[c] += viewed[r] * renderer.m_projection.m[r][c];
  return {(clip[0] / clip[3] + 1) / 2 * renderer.m_viewportWidth,
          (1 - clip[1] / clip[3]) / 2 * renderer.m_viewportHeight, 0};
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, held, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

}  // namespace

QPoint HandleCentreOnScreen(ui::MainWindow& window) {
  ui::ViewportWidget* view = window.viewport();
  SceneRenderer& renderer = view->renderer();
  Scene& scene = window.document().scene();
  CVector centre{0, 0, 0};
  if (scene.HasValidSelection()) {
    const Matrix4& g = renderer.m_gizmoMatrix;
    centre = {g.m[3][0], g.m[3][1], g.m[3][2]};
  } else if (!scene.m_models.empty()) {
    if (const CAnimation* pose = CurrentPoseOf(scene, scene.m_models[0])) centre = pose->m_position;
  }
  const CVector screen = Project(renderer, centre);
  const qreal ratio = view->devicePixelRatioF();
  return view->mapTo(&window, QPoint(int(screen.x / ratio), int(screen.y / ratio)));
}

void ClickViewport(ui::MainWindow& window, QPoint at) {
  ui::ViewportWidget* view = window.viewport();
  const QPoint local = view->mapFrom(&window, at);
  SendMouse(view, QEvent::MouseButtonPress, local, Qt::LeftButton, Qt::LeftButton);
  SendMouse(view, QEvent::MouseButtonRelease, local, Qt::LeftButton, Qt::NoButton);
  WaitForViewportFrame(window);
}

void DragViewport(ui::MainWindow& window, QPoint from, QPoint by) {
  ui::ViewportWidget* view = window.viewport();
  const QPoint start = view->mapFrom(&window, from);
  SendMouse(view, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
  constexpr int kSteps = 8;
  for (int i = 1; i <= kSteps; ++i) {
    SendMouse(view, QEvent::MouseMove, start + by * i / kSteps, Qt::NoButton, Qt::LeftButton);
    QCoreApplication::processEvents();
  }
  SendMouse(view, QEvent::MouseButtonRelease, start + by, Qt::LeftButton, Qt::NoButton);
  WaitForViewportFrame(window);
}

void ClickToolbarButton(ui::MainWindow& window, CommandId command) {
  QAction* action = window.action(command);
  for (QToolBar* bar : {window.mainToolbar(), window.controlToolbar()})
    if (QWidget* button = bar->widgetForAction(action)) {
      QTest::mouseClick(button, Qt::LeftButton);
      return;
    }
  QFAIL("no toolbar button for the command");
}

void TypeIntoField(QLineEdit* field, const QString& text) {
  field->setFocus();
  field->selectAll();
  QTest::keyClicks(field, text);
  QTest::keyClick(field, Qt::Key_Return);
}

int ChangedPixels(const QImage& before, const QImage& after, const QRect& area) {
  int changed = 0;
  const QRect clipped = area.intersected(before.rect()).intersected(after.rect());
  for (int y = clipped.top(); y <= clipped.bottom(); ++y)
    for (int x = clipped.left(); x <= clipped.right(); ++x) changed += before.pixel(x, y) != after.pixel(x, y);
  return changed;
}

QPoint NearestChangedPixel(const QImage& before, const QImage& after, QPoint centre) {
  for (int radius = 0; radius <= 80; ++radius)
    for (int dy = -radius; dy <= radius; ++dy)
      for (int dx = -radius; dx <= radius; ++dx) {
        if (std::max(std::abs(dx), std::abs(dy)) != radius) continue;  // the ring at this radius
        const QPoint p = centre + QPoint(dx, dy);
        // The lit front of the letters: changed, and bright against the dark background.
        if (before.valid(p) && after.valid(p) && before.pixel(p) != after.pixel(p) && qGray(after.pixel(p)) > 180)
          return p;
      }
  return centre;
}

bool CreateTextThroughDialog(ui::MainWindow& window, const QString& font, const QString& text) {
  const size_t before = window.document().scene().m_models.size();
  test::CreateTextAnswer answer;
  answer.fontName = font;
  answer.text = text;
  test::AnswerNextCreateTextDialog(answer);
  ClickToolbarButton(window, CommandId::kCreateText);  // returns when the dialog was answered
  return window.document().scene().m_models.size() > before;
}

}  // namespace qv::testing
