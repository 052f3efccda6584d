#pragma once
// The command line's answers to the document's questions: messages go to stderr, dialogs take
// the values given on the command line.
#include <iostream>
#include <optional>
#include <set>
#include <string>

#include "cli/cli_messages.h"
#include "scene/user_interaction.h"

namespace qv::cli {

class CliInteraction : public UserInteraction {
 public:
  // In English, naming `subject` (the document) when the text names no file; each line once.
  void ShowMessage(std::string_view text) override {
    ++messagesShown;
    // Texture failures are listed by texture name afterwards (ReportUnloadedTextures).
    if (IsTextureMessage(text)) return;
    const std::string line = EnglishMessage(text, subject);
    if (printed_.insert(line).second) std::cerr << line << '\n';
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
  std::string subject;

 private:
  std::set<std::string> printed_;
};

}  // namespace qv::cli
