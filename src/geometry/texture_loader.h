#pragma once
// Finding and decoding the texture image a material names.
//
// A stored texture name is code page 932 text written on any system: backslashes separate its
// folders, a name with a colon carries a Windows drive letter, and its letter case often differs
// from the file on disk. Lookup order for a name N:
//   - N starts with "/": that path only;
//   - otherwise: N in the document's folder, then in the folders TEXTURE and Texture next to the
//     program; when N contains a colon (a Windows drive path) its last component is then tried in
//     those same places.
// Every candidate matches exactly first, then by a letter-case-insensitive match of each path
// component below the base folder.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "geometry/dib_stream.h"
#include "scene/interface_text.h"
#include "scene/limits.h"
#include "scene/material.h"

namespace qv {

class Scene;
class UserInteraction;

// Shows one message to the user (UTF-8). The desktop shows a message box; the command line
// prints to stderr. An empty function shows nothing.
using MessageSink = std::function<void(const std::string& utf8)>;
// Messages shown through the program's user interaction (message boxes, or stderr).
MessageSink MessagesTo(UserInteraction& interaction);

// "File not found, or this image file is not supported."
inline constexpr const char* kTextureFailedMessage = QV_TRANSLATE_NOOP("Messages", "ファイルが見つからないか、この画像ファイルには対応していません！");

// Texture sides above kMaxTextureSide (scene/limits.h) are refused: a small file can announce a
// huge image (a 420 KB PNG of 12000 x 12000 pixels decodes to over half a gigabyte); the size is
// read from the file's header before anything is decoded.
// "%1 is too large an image (at most 8192 x 8192 pixels)."; %1 is the file.
// The lines under kTextureFailedMessage, one per texture; %1 is the texture's name.
inline constexpr const char* kTextureTooLargeLine = QV_TRANSLATE_NOOP("Messages", "%1：大きすぎる画像です（縦横 8192 ピクセルまで）");
inline constexpr const char* kTextureNotFoundLine = QV_TRANSLATE_NOOP("Messages", "%1：見つかりません");
inline constexpr const char* kTextureUnsupportedLine = QV_TRANSLATE_NOOP("Messages", "%1：この画像ファイルには対応していません");
inline constexpr const char* kTextureTooLargeMessage = QV_TRANSLATE_NOOP("Messages", "%1 は大きすぎる画像です（縦横 8192 ピクセルまで）。");

// Decoded images by file path: materials naming the same file share one decoding. A file that
// could not be decoded is held as an empty image.
using TextureCache = std::map<std::string, TextureImage>;

// Where relative texture names are looked up.
struct TextureLookup {
  std::string documentFolder;  // folder of the document or .mqo being read; empty: the current directory
  std::string programFolder;   // folder of the running program (holds TEXTURE and Texture)
};

// A lookup with the given document folder and the running program's folder (ModuleFolder).
TextureLookup MakeTextureLookup(const std::string& documentFolder);

// What LoadTexture did, for listings such as the command line's texture report.
struct TextureLoadReport {
  bool loaded = false;
  std::string foundPath;  // file system path of the decoded file
  int32_t width = 0;
  int32_t height = 0;
  int32_t channels = 0;
  std::string failure;  // why nothing loaded (UTF-8), empty on success
  // The image file found but refused for its size (empty when none was too large).
  std::string tooLargeFile;
};

// One place a texture may be: a file system path whose first `baseLength` bytes are a folder
// taken as given (letter case is only matched loosely below it).
struct TextureCandidate {
  std::string path;
  size_t baseLength = 0;
};

// The places tried for a texture name, in order, before any letter-case matching.
std::vector<TextureCandidate> TextureCandidates(const std::string& textureName, const TextureLookup& lookup);

// Finds an existing file for one candidate: the exact path, else a letter-case-insensitive match
// of each component after the first `baseLength` bytes (the base folder, taken as given).
// Empty when none exists.
std::string FindFileNoCase(const std::string& path, size_t baseLength);

// Decodes one path into the material's image (A8R8G8B8). True when the image has a size.
// A file that cannot be opened or decoded leaves the material without an image.
bool LoadImageFile(CMaterial& material, const std::string& path, DibStream* decoded = nullptr);

// Finds and decodes m_texture. An empty name changes nothing and returns false. On failure the
// message above is shown (kTextureTooLargeMessage for an image above kMaxTextureSide) and the
// image is empty; the name is kept so that saving loses nothing. With a cache, a file decoded
// before is not decoded again.
bool LoadTexture(CMaterial& material, const TextureLookup& lookup, const MessageSink& showMessage,
                 TextureLoadReport* report = nullptr, TextureCache* cache = nullptr);

// Textures that did not load while many materials were read: each name once, in the order of
// the materials, told to the user in one message rather than a box per material.
class TextureProblems {
 public:
  // Notes the failure LoadTexture reported for `material` (names already noted are skipped).
  void Add(const CMaterial& material, const TextureLoadReport& report);
  bool empty() const { return lines_.empty(); }
  // kTextureFailedMessage, then a line per texture: its name and why it did not load.
  std::string Message() const;
  // Shows Message() when there is anything to tell.
  void ShowTo(const MessageSink& showMessage) const;

 private:
  std::vector<std::string> names_;  // as stored (code page 932)
  std::vector<std::string> lines_;  // UTF-8
};

// LoadTexture for every material of the scene in order, with one message naming every texture
// that did not load; each file is decoded once however many materials name it.
// The viewport makes its GPU textures from the images afterwards.
void ReloadAllTextures(Scene& scene, const TextureLookup& lookup, const MessageSink& showMessage);

}  // namespace qv
