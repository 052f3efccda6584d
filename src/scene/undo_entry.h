#pragma once
#include <cstdint>
#include <string>

#include "scene/pose.h"

namespace qv {

// One undo or redo step: a model's pose at one frame and its parent link before a change.
struct UndoEntry {
  std::string modelName;  // models are found again by name
  int32_t parent = 0;
  int32_t frame = 0;
  CAnimation pose;
  int32_t animation = 0;
};

}  // namespace qv
