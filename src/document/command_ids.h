#pragma once
// Command identifiers of the menus, toolbars and accelerators.
#include <cstdint>

namespace qv::cmd {

enum : int32_t {
  kOpen = 57601,
  kSave = 57603,
  kSaveAs = 57604,
  kUndo = 57643,
  kRedo = 57644,
  kCopyAllFrames = 32858,
  kPasteAllFrames = 32859,
  kCopyCurrentPose = 32902,
  kPasteCurrentPose = 32904,
  kCreateText = 32912,
  kResetCamera = 32827,
  kFollowModel = 32897,
  kMoveMode = 32772,
  kRotateMode = 32773,
  kScaleMode = 32805,
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
  kBackgroundColor = 32775,
  kSettings = 32916,
  kHermite = 32908,
  kSmoothShading = 32777,
  kMouseCamera = 32803,
  kMouseModel = 32804,
  kMouseAnimation = 32832,
  // The main frame's commands.
  kCameraLeft = 32875,
  kCameraTop = 32876,
  kCameraFront = 32877,
  kCameraRight = 32878,
  kCameraBottom = 32879,
  kCameraBack = 32880,
  kMainToolbar = 59392,
  kStatusBar = 59393,
  kControlToolbar = 132,
  // The application's.
  kNew = 57600,
  kRecentFileFirst = 57616,  // 57616 ... 57619: the recent-file entries
  kExit = 57665,
  kHelp = 57669,
  kAbout = 57664,
  kUnregister = 32828,
  // The model tree's and the material list's, while they are the active view.
  kAddModel = 50000,
  kDeleteModel = 50001,
  kRenameModel = 50002,
  kShowHideModel = 50003,
  kMaterialColor = 32861,
  kRenameMaterial = 32863,
  kDeleteMaterial = 32911,
};

}  // namespace qv::cmd
