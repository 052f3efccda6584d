#pragma once
// The command line's answers to the document's questions: messages go to stderr, dialogs take
// the values given on the command line.
#include <iostream>
#include <optional>

#include "scene/user_interaction.h"

namespace qv::cli {

class CliInteraction : public UserInteraction {
 public:
  void ShowMessage(std::string_view text) override {
    std::cerr << text << '\n';
    ++messagesShown;
  }
  std::optional<std::pair<int32_t, int32_t>> AskInsertFrames(int32_t, int32_t) override { return framePair; }
  std::optional<std::pair<int32_t, int32_t>> AskDeleteFrames(int32_t, int32_t) override { return framePair; }
  std::optional<KeyFrameChoice> AskKeyFrame(const KeyFrameChoice&) override { return keyFrame; }
  SaveChangesAnswer AskSaveChanges(std::string_view) override { return SaveChangesAnswer::kNo; }
  std::optional<std::string> AskOpenPath() override { return std::nullopt; }
  std::optional<SavePathChoice> AskSavePath(bool) override { return savePath; }

  std::optional<std::pair<int32_t, int32_t>> framePair;
  std::optional<KeyFrameChoice> keyFrame;
  std::optional<SavePathChoice> savePath;
  int messagesShown = 0;
};

}  // namespace qv::cli
