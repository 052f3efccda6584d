#pragma once
// Command identifiers of the menus, toolbars and accelerators. The numbers are the program's
// own (they are what the status bar's prompts and the key table were written against); what each
// command does is in document/command_table.h.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "document/recent_files.h"

namespace qv {

enum class CommandId : int32_t {
  kNone = 0,  // no command: a separator in a menu or a toolbar
  // File
  kNew = 57600,
  kOpen = 57601,
  kSave = 57603,
  kSaveAs = 57604,
  kRecentFileFirst = 57616,  // 57616 ... 57619: the recent-file entries (RecentFileCommand)
  kExit = 57665,
  // Edit
  kUndo = 57643,
  kRedo = 57644,
  kCopyAllFrames = 32858,
  kPasteAllFrames = 32859,
  kCopyCurrentPose = 32902,
  kPasteCurrentPose = 32904,
  // Create
  kCreateText = 32912,
  // Camera
  kCameraLeft = 32875,
  kCameraTop = 32876,
  kCameraFront = 32877,
  kCameraRight = 32878,
  kCameraBottom = 32879,
  kCameraBack = 32880,
  kFollowModel = 32897,
  // Transform
  kMoveMode = 32772,
  kRotateMode = 32773,
  kScaleMode = 32805,
  // Control
  kPlay = 32780,
  kStop = 32782,
  kNextFrame = 32784,
  kPreviousFrame = 32786,
  kNextKey = 32785,
  kPreviousKey = 32783,
  kFirstFrame = 32779,
  kLastFrame = 32781,
  kKeyFrameDialog = 32795,
  kAddKeySelected = 32787,
  kAddKeyAll = 32797,
  kDeleteKeySelected = 32788,
  kDeleteKeyAll = 32793,
  kInsertFrames = 32819,
  kDeleteFrames = 32789,
  // Settings
  kBackgroundColor = 32775,
  kSettings = 32916,
  kHermite = 32908,
  kResetCamera = 32827,
  kSmoothShading = 32777,
  // View: the main frame's bars
  kMainToolbar = 59392,
  kControlToolbar = 132,
  kStatusBar = 59393,
  // Help
  kHelp = 57669,
  kUnregister = 32828,
  kAbout = 57664,
  // The viewport's mouse modes (keys only)
  kMouseCamera = 32803,
  kMouseModel = 32804,
  kMouseAnimation = 32832,
  // The model tree's and the material list's, while they are the active view.
  kAddModel = 50000,
  kDeleteModel = 50001,
  kRenameModel = 50002,
  kShowHideModel = 50003,
  kMaterialColor = 32861,
  kRenameMaterial = 32863,
  kDeleteMaterial = 32911,
  // Keys of the key table that no command answers: they do nothing.
  kUnusedAltD = 32810,
  kUnusedAltK = 32812,
  kUnusedAltG = 32814,
  kUnusedAltL = 32817,
  kEditCopy = 57634,      // Ctrl+Insert
  kEditCut = 57635,       // Ctrl+X, Shift+Delete
  kEditPaste = 57637,     // Shift+Insert
  kNextPane = 57680,      // F6
  kPreviousPane = 57681,  // Shift+F6
};

// The recent-file list's entries take consecutive ids from kRecentFileFirst, one per entry the
// list keeps; entry `index` (0 is the most recent file) sends this one.
constexpr CommandId RecentFileCommand(size_t index) {
  return CommandId(int32_t(CommandId::kRecentFileFirst) + int32_t(index));
}

// The recent-file entry an id stands for, or nothing for every other id.
constexpr std::optional<size_t> RecentFileIndex(CommandId id) {
  const int32_t offset = int32_t(id) - int32_t(CommandId::kRecentFileFirst);
  if (offset < 0 || offset >= int32_t(RecentFileList::kSize)) return std::nullopt;
  return size_t(offset);
}

}  // namespace qv
