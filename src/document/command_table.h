#pragma once
// The command table: one entry per command of the menus, toolbars and accelerators, with what it
// runs, when it is enabled, when it carries a check mark, and the prompt the status bar and the
// tool tips show. The desktop window builds its menus, buttons and keys over this table and sends
// every command through RunCommand; the tests read the same table.
#include <span>
#include <string_view>

#include "document/command_ids.h"
#include "document/frame_state.h"

namespace qv {

class CMotionDoc;

// What only the program around the document can do for a command; the desktop window implements
// it. Messages and the document's own questions (file choosers, the frame dialogs, saving
// changes) stay with the document's UserInteraction.
class CommandHost {
 public:
  virtual ~CommandHost() = default;
  // The bars' visibility, which their toggles flip and check; ShowBars shows and hides the bars
  // as it says.
  virtual FrameState& frameState() = 0;
  virtual void ShowBars() = 0;
  // The dialogs whose OK ends in the document's command (CreateText, OnSettingsDialogClosed,
  // SetBackgroundColor).
  virtual void OpenCreateTextDialog() = 0;
  virtual void OpenSettingsDialog() = 0;
  virtual void ChooseBackgroundColor() = 0;
  // The model tree's add command: its file dialog and the import.
  virtual void AddModel() = 0;
  // Closes the program (asking to save a modified document first).
  virtual void Exit() = 0;
  virtual void ShowHelp() = 0;
  virtual void ShowAbout() = 0;
  // Removes the file-type registration and tells the user.
  virtual void Unregister() = 0;
};

// What a command runs on.
struct CommandContext {
  CMotionDoc& doc;
  CommandHost& host;
  CommandId id;  // the id that was sent: a recent-file entry's own, not the first entry's
};

struct Command {
  CommandId id = CommandId::kNone;
  // The short name, shown as a toolbar button's tool tip.
  std::string_view name = {};
  // Null: the command does nothing here (keys no command answers, and the panes' own commands,
  // which the model tree and the material list run while they are the active view).
  void (*run)(CommandContext& context) = nullptr;
  // Null: always enabled.
  bool (*enabled)(const CMotionDoc& doc) = nullptr;
  // Null: the command carries no check mark.
  bool (*checked)(const CMotionDoc& doc, const FrameState& bars) = nullptr;
  // What the command does, shown in the status bar while its item or button is under the pointer.
  std::string_view prompt = {};
};

// Every command, in the order of the menus.
std::span<const Command> Commands();
// The entry of `id` (every recent-file entry shares the first one's), or null for ids that are
// in no menu, toolbar or key table.
const Command* FindCommand(CommandId id);

// Ids that are in no table are enabled and carry no check mark.
bool IsCommandEnabled(CommandId id, const CMotionDoc& doc);
bool IsCommandCheckable(CommandId id);
bool IsCommandChecked(CommandId id, const CMotionDoc& doc, const FrameState& bars = {});
// Runs `id` when it is enabled. False when it is disabled (nothing ran); ids without a run, and
// ids in no table, do nothing and count as run.
bool RunCommand(CommandId id, CMotionDoc& doc, CommandHost& host);

// The prompt and the short name; empty for ids without them (separators, keys that do nothing).
std::string_view StatusPrompt(CommandId id);
std::string_view CommandName(CommandId id);

}  // namespace qv
