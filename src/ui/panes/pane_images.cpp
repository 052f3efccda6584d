#include "ui/panes/pane_images.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The resources of a static library are registered by hand.
static void InitPaneImages() { Q_INIT_RESOURCE(pane_images); }

namespace qv::ui {

namespace {

QImage Render(const char* name, int side) {
  static const bool registered = (InitPaneImages(), true);
  (void)registered;
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QSvgRenderer renderer(QStringLiteral(":/panes/images/%1.svg").arg(QLatin1String(name)));
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

}  // namespace

QImage TreeItemImage(int index) {
  static const char* const kNames[6] = {"tree_root",  "tree_root_selected",  "tree_model",
                                        "tree_model_selected", "tree_hidden", "tree_hidden_selected"};
  return Render(kNames[index < 0 || index > 5 ? 0 : index], 13);
}

QIcon TreeItemIcon(int pair) {
  QIcon icon;
  icon.addPixmap(QPixmap::fromImage(TreeItemImage(pair)), QIcon::Normal);
  icon.addPixmap(QPixmap::fromImage(TreeItemImage(pair + 1)), QIcon::Selected);
  return icon;
}

QImage DropCursorImage(DropCursor kind) {
  switch (kind) {
    case DropCursor::kAllowed: return Render("drop_allowed", 32);
    case DropCursor::kAllowedWithCtrl: return Render("drop_allowed_ctrl", 32);
    case DropCursor::kRefused: return Render("drop_refused", 32);
  }
  return {};
}

QCursor DropCursorOf(DropCursor kind) {
  // The arrows point with their tip; the refusal sign is held at its centre.
  const bool centred = kind == DropCursor::kRefused;
  return QCursor(QPixmap::fromImage(DropCursorImage(kind)), centred ? 16 : 0, centred ? 16 : 0);
}

}  // namespace qv::ui
