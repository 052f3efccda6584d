#pragma once
// What a person does in the main window, as test steps: clicks and drags in the viewport, toolbar
// buttons, typing into fields, the create-text dialog.
#include <QImage>
#include <QPoint>
#include <QString>
#include <cstdint>

#include "document/command_ids.h"

class QLineEdit;

namespace qv::ui {
class MainWindow;
}

namespace qv::testing {

// Where the selected model's handle centre (or, without a selection, the first model's origin)
// was drawn in the last frame, in window pixels.
QPoint HandleCentreOnScreen(ui::MainWindow& window);
void ClickViewport(ui::MainWindow& window, QPoint at);
// Presses the left button at `from` (window pixels), moves by `by` in steps, releases; waits for
// the viewport to draw.
void DragViewport(ui::MainWindow& window, QPoint from, QPoint by);
void ClickToolbarButton(ui::MainWindow& window, CommandId command);
// Types into a field and presses Return.
void TypeIntoField(QLineEdit* field, const QString& text);
// Pixels that differ between two pictures of the same window inside `area`.
int ChangedPixels(const QImage& before, const QImage& after, const QRect& area);
// The bright pixel nearest to `centre` that differs between the two pictures (the lit front of
// the logo, when the pictures are without and with it); `centre` itself when none within 80
// pixels does.
QPoint NearestChangedPixel(const QImage& before, const QImage& after, QPoint centre);
// Clicks the create-text button and fills the dialog with `font` and `text`, then OK. True when a
// model was made.
bool CreateTextThroughDialog(ui::MainWindow& window, const QString& font, const QString& text);

}  // namespace qv::testing
