#pragma once
// The create-text dialog's preview: the text as the create-text command would make it, built into
// a scene of its own so that nothing reaches the document before OK. The scene is drawn by the
// viewport's renderer; here it is only built and posed.
#include <string>

#include "geometry/text_model.h"
#include "scene/scene.h"

namespace qv {

struct TextPreview {
  // The text's model and its material (none when `note` says why), one frame long, with the
  // hierarchy walk and everything else drawing needs already made.
  Scene scene;
  // Why no model is shown (UTF-8): a bevel CheckBevel refuses, or a text beyond the limits;
  // empty otherwise (an empty text shows nothing and needs no note).
  std::string note;
};

// Builds the preview of `parameters` with CreateTextModel. Safe to call on any thread: it touches
// nothing but its own scene and the fonts it opens.
TextPreview BuildTextPreview(const TextParameters& parameters);

// The turn of the preview model `seconds` after the preview started, in degrees about the
// vertical axis: a slow swing to either side and back, so the text never shows its back.
float TextPreviewTurn(double seconds);

// Poses the preview for one frame: the model turned by `turnDegrees`, the camera looking at it a
// little from above and zoomed so that the whole model stays inside a view of that aspect ratio
// (width / height) at any turn.
void PoseTextPreview(Scene& scene, float aspect, float turnDegrees);

}  // namespace qv
