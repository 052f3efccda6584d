#include "geometry/texture_loader.h"

#include <stb/stb_image.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/program_folder.h"
#include "platform/text_codec.h"
#include "scene/messages.h"
#include "scene/scene.h"
#include "scene/user_interaction.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

// Backslashes become slashes, except a backslash that is the second byte of a double-byte
// character (the katakana "so" is 0x83 0x5C).
std::string WithSlashes(const std::string& cp932) {
  std::string out = cp932;
  for (size_t i = 0; i < out.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(out[i]);
    if (IsCp932LeadByte(c) && i + 1 < out.size()) {
      ++i;
    } else if (c == '\\') {
      out[i] = '/';
    }
  }
  return out;
}

bool IsAscii(const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// A folder to put before a relative name; no folder is the current one.
std::string FolderPrefix(const std::string& folder) {
  return folder.empty() ? "./" : WithTrailingSlash(folder);
}

bool IsRegularFile(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(fs::path(path), error);
}

bool Exists(const std::string& path) {
  std::error_code error;
  return fs::exists(fs::path(path), error);
}

// The entry of `folder` whose name equals `name` ignoring ASCII letter case; the smallest such
// name when several do, so the choice does not depend on the directory's order. Empty if none.
std::string MatchInFolder(const std::string& folder, const std::string& name) {
  std::error_code error;
  fs::directory_iterator it(fs::path(folder.empty() ? std::string(".") : folder), error);
  std::string best;
  if (error) return best;
  for (const fs::directory_entry& entry : it) {
    std::string entryName = entry.path().filename().string();
    if (EqualsAsciiNoCase(entryName, name) && (best.empty() || entryName < best)) best = std::move(entryName);
  }
  return best;
}

}  // namespace

MessageSink MessagesTo(UserInteraction& interaction) {
  return [&interaction](const std::string& text) { interaction.ShowMessage(text); };
}

TextureLookup MakeTextureLookup(const std::string& documentFolder) {
  return TextureLookup{documentFolder, ModuleFolder()};
}

std::vector<TextureCandidate> TextureCandidates(const std::string& textureName, const TextureLookup& lookup) {
  std::vector<TextureCandidate> out;
  if (textureName.empty()) return out;
  const std::string raw = WithSlashes(textureName);
  // The file system holds UTF-8 names; a file copied from Windows may still carry the raw bytes.
  std::vector<std::string> forms{Cp932ToUtf8(raw)};
  if (!IsAscii(raw)) forms.push_back(raw);

  if (raw.front() == '/') {
    for (const std::string& form : forms) out.push_back({form, form.rfind('/') + 1});
    return out;
  }
  std::vector<std::string> bases{FolderPrefix(lookup.documentFolder)};
  if (!lookup.programFolder.empty()) {
    const std::string program = FolderPrefix(lookup.programFolder);
    bases.push_back(program + "TEXTURE/");
    bases.push_back(program + "Texture/");
  }
  auto addEverywhere = [&](const std::string& relative) {
    for (const std::string& base : bases) out.push_back({base + relative, base.size()});
  };
  for (const std::string& form : forms) addEverywhere(form);
  if (raw.find(':') != std::string::npos) {
    // A Windows drive path: the file is usually found by its own name next to the document.
    for (const std::string& form : forms) {
      const size_t slash = form.find_last_of("/:");
      const std::string last = form.substr(slash + 1);
      if (!last.empty()) addEverywhere(last);
    }
  }
  return out;
}

std::string FindFileNoCase(const std::string& path, size_t baseLength) {
  if (IsRegularFile(path)) return path;
  if (baseLength > path.size()) return {};
  std::string current = path.substr(0, baseLength);
  size_t pos = baseLength;
  while (pos <= path.size()) {
    size_t slash = path.find('/', pos);
    if (slash == std::string::npos) slash = path.size();
    const std::string component = path.substr(pos, slash - pos);
    pos = slash + 1;
    if (component.empty() || component == ".") continue;
    if (!current.empty() && current.back() != '/') current += '/';
    if (component != ".." && !Exists(current + component)) {
      const std::string match = MatchInFolder(current, component);
      if (match.empty()) return {};
      current += match;
    } else {
      current += component;
    }
  }
  return IsRegularFile(current) ? current : std::string();
}

bool LoadImageFile(CMaterial& material, const std::string& path, DibStream* decoded) {
  DibStream image;
  const bool ok = image.Load(path);
  material.m_image = ok ? image.ToTextureImage() : TextureImage{};
  if (decoded) *decoded = std::move(image);
  return ok;
}

bool LoadTexture(CMaterial& material, const TextureLookup& lookup, const MessageSink& showMessage,
                 TextureLoadReport* report, TextureCache* cache) {
  if (material.m_texture.empty()) return false;
  material.m_image = TextureImage{};
  std::string failure = "not found";
  std::string tooLarge;
  for (const TextureCandidate& candidate : TextureCandidates(material.m_texture, lookup)) {
    const std::string found = FindFileNoCase(candidate.path, candidate.baseLength);
    if (found.empty()) continue;
    if (cache) {
      auto known = cache->find(found);
      if (known != cache->end()) {
        if (known->second.empty()) continue;
        material.m_image = known->second;
        if (report) *report = TextureLoadReport{true, found, material.m_image.width, material.m_image.height, 0, {}};
        return true;
      }
    }
    int32_t width = 0, height = 0;
    if (DibStream::ReadSize(found, width, height) && (width > kMaxTextureSide || height > kMaxTextureSide)) {
      failure = found + ": " + std::to_string(width) + "x" + std::to_string(height) +
                " pixels, larger than the limit of " + std::to_string(kMaxTextureSide) + "x" +
                std::to_string(kMaxTextureSide);
      tooLarge = found;
      if (cache) (*cache)[found] = TextureImage{};
      break;
    }
    DibStream image;
    if (LoadImageFile(material, found, &image)) {
      if (cache) (*cache)[found] = material.m_image;
      if (report) {
        *report = TextureLoadReport{true, found, image.Width(), image.Height(), image.Channels(), {}};
      }
      return true;
    }
    if (cache) (*cache)[found] = TextureImage{};
    const char* reason = stbi_failure_reason();
    failure = found + ": cannot decode (" + (reason ? reason : "unknown format") + ")";
  }
  if (report) *report = TextureLoadReport{false, {}, 0, 0, 0, failure, tooLarge};
  if (showMessage) {
    if (tooLarge.empty()) {
      showMessage(kTextureFailedMessage);
    } else {
      std::string text = kTextureTooLargeMessage;
      text.replace(text.find("%1"), 2, tooLarge);
      showMessage(text);
    }
  }
  // The name stays: a texture that is missing today (a moved folder, an unplugged drive) must not
  // be lost from the document when it is saved again. The material simply draws without it.
  return false;
}

void TextureProblems::Add(const CMaterial& material, const TextureLoadReport& report) {
  if (report.loaded || material.m_texture.empty()) return;
  if (std::find(names_.begin(), names_.end(), material.m_texture) != names_.end()) return;
  names_.push_back(material.m_texture);
  static_assert(kMaxTextureSide == 8192, "kTextureTooLargeLine names the limit");
  const char* line = !report.tooLargeFile.empty()      ? kTextureTooLargeLine
                     : report.failure == "not found" ? kTextureNotFoundLine
                                                     : kTextureUnsupportedLine;
  lines_.push_back(FillMessage(line, {Cp932ToUtf8(material.m_texture)}));
}

std::string TextureProblems::Message() const {
  std::string text = kTextureFailedMessage;
  text += "\n";
  for (const std::string& line : lines_) text += "\n" + line;
  return text;
}

void TextureProblems::ShowTo(const MessageSink& showMessage) const {
  if (!empty() && showMessage) showMessage(Message());
}

void ReloadAllTextures(Scene& scene, const TextureLookup& lookup, const MessageSink& showMessage) {
  TextureCache cache;
  TextureProblems problems;
  for (CMaterial& material : scene.m_materials) {
    TextureLoadReport report;
    LoadTexture(material, lookup, {}, &report, &cache);
    problems.Add(material, report);
  }
  problems.ShowTo(showMessage);
}

}  // namespace qv
