#include "platform/font_catalog.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <tuple>

namespace qv {

namespace {

struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct FontSetDeleter {
  void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
struct ObjectSetDeleter {
  void operator()(FcObjectSet* s) const { FcObjectSetDestroy(s); }
};
struct CharSetDeleter {
  void operator()(FcCharSet* c) const { FcCharSetDestroy(c); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;
using FontSetPtr = std::unique_ptr<FcFontSet, FontSetDeleter>;
using ObjectSetPtr = std::unique_ptr<FcObjectSet, ObjectSetDeleter>;
using CharSetPtr = std::unique_ptr<FcCharSet, CharSetDeleter>;

// fontconfig loads its configuration and caches once per process.
FcConfig* Config() {
  static FcConfig* config = [] {
    FcInit();
    return FcConfigGetCurrent();
  }();
  return config;
}

bool IsOutlineFormat(FcPattern* font) {
  FcChar8* format = nullptr;
  if (FcPatternGetString(font, FC_FONTFORMAT, 0, &format) != FcResultMatch) return false;
  std::string_view f(reinterpret_cast<const char*>(format));
  return f == "TrueType" || f == "CFF";
}

std::u16string ToUtf16(std::string_view utf8) {
  std::u16string out;
  size_t i = 0;
  while (i < utf8.size()) {
    FcChar32 c = 0;
    int len = FcUtf8ToUcs4(reinterpret_cast<const FcChar8*>(utf8.data() + i), &c, static_cast<int>(utf8.size() - i));
    if (len <= 0) {
      c = 0xFFFD;
      len = 1;
    }
    i += static_cast<size_t>(len);
    if (c >= 0x10000) {
      c -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
  return out;
}

FontSetPtr ListOutlineFonts(std::string_view family) {
  PatternPtr pattern(FcPatternCreate());
  FcPatternAddBool(pattern.get(), FC_OUTLINE, FcTrue);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  std::string familyName(family);
  if (!family.empty()) FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(familyName.c_str()));
  ObjectSetPtr objects(FcObjectSetBuild(FC_FAMILY, FC_FONTFORMAT, nullptr));
  return FontSetPtr(FcFontList(Config(), pattern.get(), objects.get()));
}

// The first outline font of fontconfig's sorted list for a pattern (that has `ch`, when it is
// not 0, and is none of the files in `exclude`).
FontChoice FirstOutlineFont(FcPattern* pattern, int32_t weight, char32_t ch, const std::vector<std::string>& exclude,
                            FontChoice choice) {
  FcConfigSubstitute(Config(), pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);

  FcResult result = FcResultNoMatch;
  FontSetPtr sorted(FcFontSort(Config(), pattern, FcFalse, nullptr, &result));
  for (int i = 0; sorted && i < sorted->nfont; ++i) {
    if (ch != 0) {
      FcCharSet* has = nullptr;
      if (FcPatternGetCharSet(sorted->fonts[i], FC_CHARSET, 0, &has) != FcResultMatch || !FcCharSetHasChar(has, ch))
        continue;
      FcBool outline = FcFalse;
      if (FcPatternGetBool(sorted->fonts[i], FC_OUTLINE, 0, &outline) == FcResultMatch && !outline) continue;
    }
    PatternPtr font(FcFontRenderPrepare(Config(), pattern, sorted->fonts[i]));
    if (!font || !IsOutlineFormat(font.get())) continue;
    FcChar8* file = nullptr;
    if (FcPatternGetString(font.get(), FC_FILE, 0, &file) != FcResultMatch) continue;
    if (std::find(exclude.begin(), exclude.end(), reinterpret_cast<const char*>(file)) != exclude.end()) continue;
    choice.file = reinterpret_cast<const char*>(file);
    int index = 0;
    if (FcPatternGetInteger(font.get(), FC_INDEX, 0, &index) == FcResultMatch) choice.faceIndex = index & 0xFFFF;
    FcChar8* name = nullptr;
    if (FcPatternGetString(font.get(), FC_FAMILY, 0, &name) == FcResultMatch) choice.family = reinterpret_cast<const char*>(name);
    // The nearest face is used as it is unless bold was asked for and it is far lighter: then
    // the outline is emboldened.
    double faceWeight = FC_WEIGHT_REGULAR;
    FcPatternGetDouble(sorted->fonts[i], FC_WEIGHT, 0, &faceWeight);
    choice.embolden = weight >= 700 && FcWeightToOpenTypeDouble(faceWeight) < 600;
    break;
  }
  return choice;
}

// Answers already found, for the process: every text asks for its font again (the preview, the
// command line's runs, the fuzzer), and fontconfig's sorting takes milliseconds each time. Fonts
// installed while the program runs are seen after a restart, as fontconfig's own caches are.
// Shared by every thread that makes text.
class ChoiceMemo {
 public:
  template <typename Key, typename Value, typename Make>
  Value Find(std::map<Key, Value>& memo, const Key& key, Make make) {
    {
      std::lock_guard lock(mutex_);
      if (auto it = memo.find(key); it != memo.end()) return it->second;
    }
    Value value = make();  // outside the lock: fontconfig locks for itself
    std::lock_guard lock(mutex_);
    // Bounded: texts of ever new characters each ask for a fallback.
    if (memo.size() >= kKept) memo.clear();
    memo.emplace(key, value);
    return value;
  }

  std::map<std::string, bool> installed;
  std::map<std::tuple<std::string, int32_t, std::u32string>, FontChoice> fonts;
  std::map<std::tuple<char32_t, int32_t, std::vector<std::string>>, FontChoice> fallbacks;

 private:
  static constexpr size_t kKept = 1024;
  std::mutex mutex_;
};

ChoiceMemo& Memo() {
  static ChoiceMemo* memo = new ChoiceMemo;  // never destroyed: text may be made during exit
  return *memo;
}

bool IsFamilyInstalledUncached(std::string_view family) {
  if (family.empty()) return false;
  FontSetPtr fonts = ListOutlineFonts(family);
  for (int i = 0; fonts && i < fonts->nfont; ++i)
    if (IsOutlineFormat(fonts->fonts[i])) return true;
  return false;
}

FontChoice ChooseFontUncached(std::string_view faceName, int32_t weight, std::u32string_view text);
FontChoice ChooseFontForCharacterUncached(char32_t ch, int32_t weight, const std::vector<std::string>& exclude);

}  // namespace

std::vector<std::string> ListOutlineFontFamilies() {
  FontSetPtr fonts = ListOutlineFonts({});
  // Ordered like the platform's set of UTF-16 names.
  std::set<std::pair<std::u16string, std::string>> names;
  for (int i = 0; fonts && i < fonts->nfont; ++i) {
    FcPattern* font = fonts->fonts[i];
    if (!IsOutlineFormat(font)) continue;
    FcChar8* family = nullptr;
    for (int k = 0; FcPatternGetString(font, FC_FAMILY, k, &family) == FcResultMatch; ++k) {
      std::string name(reinterpret_cast<const char*>(family));
      if (name.empty() || name[0] == '@') continue;
      names.emplace(ToUtf16(name), name);
    }
  }
  std::vector<std::string> out;
  out.reserve(names.size());
  for (auto& [key, name] : names) out.push_back(name);
  return out;
}

bool IsFamilyInstalled(std::string_view family) {
  ChoiceMemo& memo = Memo();
  return memo.Find(memo.installed, std::string(family), [&] { return IsFamilyInstalledUncached(family); });
}

std::string JapaneseSansSerifFamily() {
  PatternPtr pattern(FcPatternCreate());
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
  FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcPatternAddBool(pattern.get(), FC_OUTLINE, FcTrue);
  FcConfigSubstitute(Config(), pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  FontSetPtr sorted(FcFontSort(Config(), pattern.get(), FcFalse, nullptr, &result));
  // The best match first; a bitmap font there gives way to the next outline one.
  for (int i = 0; sorted && i < sorted->nfont; ++i) {
    FcPattern* font = sorted->fonts[i];
    FcChar8* family = nullptr;
    if (!IsOutlineFormat(font) || FcPatternGetString(font, FC_FAMILY, 0, &family) != FcResultMatch) continue;
    const std::string name(reinterpret_cast<const char*>(family));
    if (!name.empty() && name[0] != '@') return name;
  }
  return {};
}

FontChoice ChooseFont(std::string_view faceName, int32_t weight, std::u32string_view text) {
  ChoiceMemo& memo = Memo();
  // The text matters only to a family that is not installed.
  std::u32string chars = IsFamilyInstalled(faceName) ? std::u32string() : std::u32string(text);
  return memo.Find(memo.fonts, std::make_tuple(std::string(faceName), weight, std::move(chars)),
                   [&] { return ChooseFontUncached(faceName, weight, text); });
}

FontChoice ChooseFontForCharacter(char32_t ch, int32_t weight, const std::vector<std::string>& exclude) {
  ChoiceMemo& memo = Memo();
  return memo.Find(memo.fallbacks, std::make_tuple(ch, weight, exclude),
                   [&] { return ChooseFontForCharacterUncached(ch, weight, exclude); });
}

namespace {

FontChoice ChooseFontUncached(std::string_view faceName, int32_t weight, std::u32string_view text) {
  FontChoice choice;
  choice.substituted = !IsFamilyInstalled(faceName);
  if (weight < 1 || weight > 1000) weight = 400;

  PatternPtr pattern(FcPatternCreate());
  std::string family(faceName);
  if (!family.empty()) FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddDouble(pattern.get(), FC_WEIGHT, FcWeightFromOpenTypeDouble(weight));
  FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcPatternAddBool(pattern.get(), FC_OUTLINE, FcTrue);
  if (choice.substituted) {
    // The family is unknown: fonts that can draw the whole text come first, and among those a
    // Japanese one, as the tool's texts are Japanese.
    CharSetPtr chars(FcCharSetCreate());
    for (char32_t c : text)
      if (c > 0x20) FcCharSetAddChar(chars.get(), c);
    if (FcCharSetCount(chars.get()) > 0) FcPatternAddCharSet(pattern.get(), FC_CHARSET, chars.get());
    FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  }
  return FirstOutlineFont(pattern.get(), weight, 0, {}, choice);
}

FontChoice ChooseFontForCharacterUncached(char32_t ch, int32_t weight, const std::vector<std::string>& exclude) {
  FontChoice choice;
  if (weight < 1 || weight > 1000) weight = 400;
  PatternPtr pattern(FcPatternCreate());
  FcPatternAddDouble(pattern.get(), FC_WEIGHT, FcWeightFromOpenTypeDouble(weight));
  FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcPatternAddBool(pattern.get(), FC_OUTLINE, FcTrue);
  CharSetPtr chars(FcCharSetCreate());
  FcCharSetAddChar(chars.get(), ch);
  FcPatternAddCharSet(pattern.get(), FC_CHARSET, chars.get());
  // The tool's texts are Japanese: among the fonts that have the character, Japanese ones first.
  FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  return FirstOutlineFont(pattern.get(), weight, ch, exclude, choice);
}

}  // namespace

}  // namespace qv
