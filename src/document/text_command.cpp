// The create-text command of CMotionDoc.
#include "animation/undo.h"
#include "document/motion_doc.h"
#include "document/text_checks.h"
#include "platform/font_catalog.h"

namespace qv {

TextParameters CMotionDoc::TextDialogPreset() {
  if (!IsFamilyInstalled(m_textDefaults.fontName))
    if (std::string family = JapaneseSansSerifFamily(); !family.empty()) m_textDefaults.fontName = std::move(family);
  TextParameters preset = m_textDefaults;
  preset.text.clear();  // the dialog always opens without a text
  return preset;
}

bool CMotionDoc::CreateText(const TextParameters& parameters) {
  bool made = !parameters.fontName.empty() && !parameters.text.empty() &&
              CodePoints(parameters.text).size() <= kMaxTextCharacters;
  // A bevel that cannot be made is told, and nothing is remembered.
  if (const std::string_view bevelProblem = made ? CheckBevel(parameters) : std::string_view(); !bevelProblem.empty()) {
    ui_.ShowMessage(bevelProblem);
    made = false;
  }
  if (made) {
    m_textDefaults = parameters;
    m_textDefaults.text.clear();
    TextModelNotes notes;
    if (CreateTextModel(scene_, parameters, &notes) < 0) {
      // Beyond a limit: nothing was made, and the reason is told.
      ui_.ShowMessage(notes.refused);
      made = false;
    } else {
      // A new model starts a new history: undo entries refer to models by index.
      ClearHistory(scene_, true);
      // Fonts and characters that stood in for missing ones are told.
      for (const std::string& message : TextModelMessages(notes)) ui_.ShowMessage(message);
    }
  }
  UpdateAllViews(Change::kModels);
  if (made) SetModifiedFlag();
  return made;
}

}  // namespace qv
