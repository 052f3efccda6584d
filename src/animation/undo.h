#pragma once
// Undo and redo of single-pose edits. Each step keeps a model's pose at one frame and its parent
// link from before the change; models are found again by name.
#include <cstdint>

namespace qv {

class Scene;

// Saves the model's pose at `frame` of the current animation and its parent link; empties the
// redo history.
void RecordUndo(Scene& scene, int32_t model, int32_t frame);
// RecordUndo for the selected model at the current frame; nothing without a valid selection.
void RecordUndoSelected(Scene& scene);
// Empties both histories; with `resetFrame` the current frame goes back to 0.
void ClearHistory(Scene& scene, bool resetFrame);
// Puts the newest step back, selecting its model and jumping to its frame, and keeps the state
// it replaced for redo. A step whose model no longer exists is dropped and changes nothing.
// Returns whether a step was applied.
bool Undo(Scene& scene);
bool Redo(Scene& scene);

}  // namespace qv
