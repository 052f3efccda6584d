#pragma once
// Everything the document must ask the user or tell them. The desktop program answers with
// dialogs and message boxes; the command line and the tests answer directly.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv {

// The key-frame dialog's answer: the frame and what to do there.
struct KeyFrameChoice {
  enum Action : int32_t { kAddSelected = 0, kAddAll = 1, kDeleteSelected = 2, kDeleteAll = 3 };
  int32_t frame = 0;
  int32_t action = kAddSelected;
};

// Kinds of file offered by the save-as dialog, in its order: the document, the two web pages,
// then the files made for other programs (glTF, videos and animated images).
enum class SaveType {
  kDocument = 1,
  kWebGL = 2,
  kWebGPU = 3,
  kGltfBinary = 4,
  kGltf = 5,
  kMp4 = 6,
  kWebm = 7,
  kGif = 8,
  kApng = 9,
  kWebp = 10,
};

struct SavePathChoice {
  std::string path;  // UTF-8 file system path
  SaveType type = SaveType::kDocument;
};

enum class SaveChangesAnswer { kYes, kNo, kCancel };

class UserInteraction {
 public:
  virtual ~UserInteraction() = default;

  // A message box with one OK button. `text` is UTF-8.
  virtual void ShowMessage(std::string_view text) = 0;

  // The frame dialogs: two whole numbers, or nothing when cancelled.
  // Insert frames: (after frame, count). Delete frames: (first, last).
  virtual std::optional<std::pair<int32_t, int32_t>> AskInsertFrames(int32_t afterFrame, int32_t count) = 0;
  virtual std::optional<std::pair<int32_t, int32_t>> AskDeleteFrames(int32_t first, int32_t last) = 0;
  virtual std::optional<KeyFrameChoice> AskKeyFrame(const KeyFrameChoice& initial) = 0;

  // "%1 への変更を保存しますか?" with Yes, No and Cancel.
  virtual SaveChangesAnswer AskSaveChanges(std::string_view title) = 0;
  // File dialogs; nothing when cancelled.
  virtual std::optional<std::string> AskOpenPath() = 0;
  virtual std::optional<SavePathChoice> AskSavePath(bool documentTypeOnly) = 0;

  // A web page was written (its path in UTF-8): the desktop program tells where and offers to
  // open it in the browser. Nothing by default.
  virtual void PageWritten(std::string_view pagePath) { (void)pagePath; }
};

// Answers nothing and shows nothing: every question is cancelled. Messages are kept so that a
// caller can print or inspect them.
class SilentInteraction : public UserInteraction {
 public:
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  std::optional<std::pair<int32_t, int32_t>> AskInsertFrames(int32_t, int32_t) override { return std::nullopt; }
  std::optional<std::pair<int32_t, int32_t>> AskDeleteFrames(int32_t, int32_t) override { return std::nullopt; }
  std::optional<KeyFrameChoice> AskKeyFrame(const KeyFrameChoice&) override { return std::nullopt; }
  SaveChangesAnswer AskSaveChanges(std::string_view) override { return SaveChangesAnswer::kCancel; }
  std::optional<std::string> AskOpenPath() override { return std::nullopt; }
  std::optional<SavePathChoice> AskSavePath(bool) override { return std::nullopt; }

  std::vector<std::string> messages;
};

}  // namespace qv
