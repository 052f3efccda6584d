#include "platform/platform_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include FT_BBOX_H
#include FT_FONT_FORMATS_H

#include <hb-ft.h>
#include <hb.h>

#include <algorithm>
#include <cstring>
#include <mutex>

#include "platform/outline_records.h"

namespace qv {

namespace {

// A font file opened by FreeType with its shaper: what is worth keeping from one text to the
// next, as opening parses the font's tables again.
struct OpenFace {
  std::string file;
  int32_t faceIndex = 0;
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  hb_font_t* shaper = nullptr;  // made on first use
  hb_buffer_t* buffer = nullptr;

  OpenFace() = default;
  OpenFace(const OpenFace&) = delete;
  OpenFace& operator=(const OpenFace&) = delete;
  ~OpenFace() {
    if (buffer) hb_buffer_destroy(buffer);
    if (shaper) hb_font_destroy(shaper);
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

// Faces no font uses at the moment, newest last, shared by every thread that makes text (the
// viewport's and the command line's). A face is used by one font at a time: FreeType's faces are
// not to be used from two threads at once.
class IdleFaces {
 public:
  std::unique_ptr<OpenFace> Take(const std::string& file, int32_t faceIndex) {
    std::lock_guard lock(mutex_);
    for (auto it = faces_.rbegin(); it != faces_.rend(); ++it) {
      if ((*it)->file != file || (*it)->faceIndex != faceIndex) continue;
      std::unique_ptr<OpenFace> face = std::move(*it);
      faces_.erase(std::next(it).base());
      return face;
    }
    return nullptr;
  }
  void Give(std::unique_ptr<OpenFace> face) {
    std::lock_guard lock(mutex_);
    faces_.push_back(std::move(face));
    // A few fonts are in use at a time (the chosen one and a fallback or two).
    if (faces_.size() > kKept) faces_.erase(faces_.begin());
  }

 private:
  static constexpr size_t kKept = 8;
  std::mutex mutex_;
  std::vector<std::unique_ptr<OpenFace>> faces_;
};

IdleFaces& Idle() {
  static IdleFaces* faces = new IdleFaces;  // never destroyed: fonts may outlive static destruction
  return *faces;
}

}  // namespace

struct PlatformFont::Impl {
  std::unique_ptr<OpenFace> open;
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  int64_t emboldenStrength = 0;  // 26.6 font units, 0 = none

  // The glyph loaded last: points in 26.6 font units, ready for both outline and widths.
  uint32_t loadedGlyph = 0;
  bool loaded = false;
  bool loadedOk = false;
  std::vector<SourcePoint> points;
  std::vector<int32_t> contourEnds;
  int64_t advance64 = 0;
  int64_t xMin64 = 0, xMax64 = 0;

  ~Impl() {
    if (open) Idle().Give(std::move(open));
  }
};

namespace {

PointKind KindOf(char tag) {
  switch (FT_CURVE_TAG(tag)) {
    case FT_CURVE_TAG_ON: return PointKind::kOn;
    case FT_CURVE_TAG_CUBIC: return PointKind::kCubic;
    default: return PointKind::kConic;
  }
}

// Ascent plus descent as the platform measures the cell: the OS/2 table's Windows metrics, the
// horizontal header's when that table is missing.
int32_t CellUnitsOf(FT_Face face) {
  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0)
    return os2->usWinAscent + os2->usWinDescent;
  auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  if (hhea && hhea->Ascender - hhea->Descender > 0) return hhea->Ascender - hhea->Descender;
  if (face->ascender - face->descender > 0) return face->ascender - face->descender;
  return face->units_per_EM > 0 ? face->units_per_EM : 2048;
}

}  // namespace

PlatformFont::PlatformFont(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
PlatformFont::~PlatformFont() = default;

std::unique_ptr<PlatformFont> PlatformFont::Open(const std::string& file, int32_t faceIndex, bool embolden) {
  auto impl = std::make_unique<Impl>();
  impl->open = Idle().Take(file, faceIndex);
  if (!impl->open) {
    auto open = std::make_unique<OpenFace>();
    open->file = file;
    open->faceIndex = faceIndex;
    if (FT_Init_FreeType(&open->library) != 0) return nullptr;
    if (FT_New_Face(open->library, file.c_str(), faceIndex, &open->face) != 0) return nullptr;
    if (!FT_IS_SCALABLE(open->face)) return nullptr;
    if (!open->face->charmap) FT_Select_Charmap(open->face, FT_ENCODING_UNICODE);
    impl->open = std::move(open);
  }
  impl->library = impl->open->library;
  impl->face = impl->open->face;
  // Synthetic bold thickens strokes by a 24th of the em.
  if (embolden) impl->emboldenStrength = int64_t{impl->face->units_per_EM} * 64 / 24;
  std::unique_ptr<PlatformFont> font(new PlatformFont(std::move(impl)));
  FT_Face face = font->impl_->face;
  font->file_ = file;
  font->faceIndex_ = faceIndex;
  font->embolden_ = embolden;
  font->family_ = face->family_name ? face->family_name : "";
  font->cellUnits_ = CellUnitsOf(face);
  return font;
}

std::unique_ptr<PlatformFont> PlatformFont::Create(std::string_view faceName, int32_t weight, std::u32string_view text) {
  FontChoice choice = ChooseFont(CutFaceName(faceName), weight, text);
  if (choice.file.empty()) return nullptr;
  auto font = Open(choice.file, choice.faceIndex, choice.embolden);
  if (!font) return nullptr;
  if (!choice.family.empty()) font->family_ = choice.family;
  font->weight_ = weight < 1 || weight > 1000 ? 400 : weight;
  font->substituted_ = choice.substituted;
  return font;
}

std::unique_ptr<PlatformFont> PlatformFont::FallbackFor(char32_t ch) const {
  // Candidates that fontconfig believes have the character but cannot outline it are passed over.
  std::vector<std::string> exclude{file_};
  for (int attempt = 0; attempt < 4; ++attempt) {
    FontChoice choice = ChooseFontForCharacter(ch, weight_, exclude);
    if (choice.file.empty()) return nullptr;
    auto font = Open(choice.file, choice.faceIndex, choice.embolden);
    if (font) {
      if (!choice.family.empty()) font->family_ = choice.family;
      font->weight_ = weight_;
      std::vector<uint8_t> records;
      if (font->GlyphOutline(ch, records) != kGlyphOutlineError) return font;
    }
    exclude.push_back(choice.file);
  }
  return nullptr;
}

int32_t PlatformFont::UnitsPerEm() const { return impl_->face->units_per_EM; }

bool PlatformFont::IsCff() const {
  const char* format = FT_Get_Font_Format(impl_->face);
  return format && std::strcmp(format, "CFF") == 0;
}

bool PlatformFont::HasGlyph(char32_t ch) const { return GlyphIndex(ch) != 0; }

uint32_t PlatformFont::GlyphIndex(char32_t ch) const {
  return ch == kMissingGlyph ? 0 : FT_Get_Char_Index(impl_->face, ch);
}

std::vector<char32_t> PlatformFont::Characters() const {
  std::vector<char32_t> out;
  FT_UInt index = 0;
  FT_ULong c = FT_Get_First_Char(impl_->face, &index);
  while (index != 0) {
    out.push_back(static_cast<char32_t>(c));
    c = FT_Get_Next_Char(impl_->face, c, &index);
  }
  return out;
}

bool PlatformFont::LoadGlyph(uint32_t glyph) {
  Impl& m = *impl_;
  if (m.loaded && m.loadedGlyph == glyph) return m.loadedOk;
  m.loaded = true;
  m.loadedGlyph = glyph;
  m.loadedOk = false;
  m.points.clear();
  m.contourEnds.clear();
  if (glyph >= static_cast<uint32_t>(m.face->num_glyphs)) return false;
  // Unscaled and unhinted: points in font units, scaled to the cell by integer arithmetic below.
  if (FT_Load_Glyph(m.face, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) return false;
  FT_GlyphSlot slot = m.face->glyph;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return false;
  const FT_Outline& source = slot->outline;
  m.advance64 = static_cast<int64_t>(slot->metrics.horiAdvance) * 64;

  FT_Outline bold{};
  const FT_Outline* outline = &source;
  if (m.emboldenStrength > 0 && source.n_points > 0) {
    if (FT_Outline_New(m.library, source.n_points, source.n_contours, &bold) != 0) return false;
    for (int i = 0; i < source.n_points; ++i) bold.points[i] = {source.points[i].x * 64, source.points[i].y * 64};
    std::memcpy(bold.tags, source.tags, source.n_points);
    std::memcpy(bold.contours, source.contours, sizeof(source.contours[0]) * source.n_contours);
    // Fill rule and orientation from the glyph; ownership of the arrays stays with the copy.
    bold.flags = (source.flags & ~FT_OUTLINE_OWNER) | (bold.flags & FT_OUTLINE_OWNER);
    FT_Pos s = static_cast<FT_Pos>(m.emboldenStrength);
    // Strokes thicken by s; the glyph keeps its left bearing and bottom, growing to the right
    // (by as much as the advance grows) and upwards.
    FT_Outline_EmboldenXY(&bold, s, s);
    outline = &bold;
  }
  if (m.emboldenStrength > 0) m.advance64 += m.emboldenStrength;

  const int scale = outline == &source ? 64 : 1;
  m.points.resize(outline->n_points);
  for (int i = 0; i < outline->n_points; ++i)
    m.points[i] = {int64_t{outline->points[i].x} * scale, int64_t{outline->points[i].y} * scale, KindOf(outline->tags[i])};
  m.contourEnds.assign(outline->contours, outline->contours + outline->n_contours);
  m.xMin64 = m.xMax64 = 0;
  if (outline->n_points > 0) {
    FT_BBox box;
    FT_Outline_Get_BBox(const_cast<FT_Outline*>(outline), &box);
    m.xMin64 = int64_t{box.xMin} * scale;
    m.xMax64 = int64_t{box.xMax} * scale;
  }
  if (outline == &bold) FT_Outline_Done(m.library, &bold);
  m.loadedOk = true;
  return true;
}

uint32_t PlatformFont::GlyphOutline(char32_t ch, std::vector<uint8_t>& records) {
  const uint32_t glyph = GlyphIndex(ch);
  if (glyph == 0 && ch != kMissingGlyph) {
    records.clear();
    return kGlyphOutlineError;
  }
  return GlyphOutlineById(glyph, records);
}

uint32_t PlatformFont::GlyphOutlineById(uint32_t glyph, std::vector<uint8_t>& records) {
  records.clear();
  if (!LoadGlyph(glyph)) return kGlyphOutlineError;
  WriteNativeOutline(impl_->points, impl_->contourEnds, CellScale(cellUnits_), records);
  return static_cast<uint32_t>(records.size());
}

bool PlatformFont::CharAbcWidths(char32_t ch, AbcWidths& widths) {
  const uint32_t glyph = GlyphIndex(ch);
  return (glyph != 0 || ch == kMissingGlyph) && GlyphAbcWidths(glyph, widths);
}

int32_t PlatformFont::AdvanceInCell(int32_t advance) const {
  int64_t advance64 = int64_t{advance} * 64;
  if (advance != 0) advance64 += impl_->emboldenStrength;
  return CellScale::RoundDiv(advance64 * 2048, int64_t{cellUnits_} * 64);
}

void PlatformFont::Shape(std::u32string_view text, size_t begin, size_t end, const ShapeOptions& options,
                         std::vector<ShapedGlyph>& glyphs) {
  glyphs.clear();
  if (begin >= end || end > text.size()) return;
  OpenFace& open = *impl_->open;
  if (!open.shaper) {
    // The shaper reads the font's tables through FreeType and positions in font units (its scale
    // is the em by default).
    hb_face_t* face = hb_ft_face_create_referenced(open.face);
    open.shaper = hb_font_create(face);
    hb_face_destroy(face);
    open.buffer = hb_buffer_create();
  }
  hb_buffer_t* buffer = open.buffer;
  hb_buffer_clear_contents(buffer);
  hb_buffer_add_utf32(buffer, reinterpret_cast<const uint32_t*>(text.data()), static_cast<int>(text.size()),
                      static_cast<unsigned>(begin), static_cast<int>(end - begin));
  hb_buffer_set_direction(buffer, options.rightToLeft ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
  hb_buffer_set_script(buffer, options.script != 0 ? static_cast<hb_script_t>(options.script) : HB_SCRIPT_COMMON);
  // No language: the same text shapes the same whatever the user's locale.
  unsigned flags = HB_BUFFER_FLAG_REMOVE_DEFAULT_IGNORABLES;
  if (begin == 0) flags |= HB_BUFFER_FLAG_BOT;
  if (end == text.size()) flags |= HB_BUFFER_FLAG_EOT;
  hb_buffer_set_flags(buffer, static_cast<hb_buffer_flags_t>(flags));
  const hb_feature_t noKerning{HB_TAG('k', 'e', 'r', 'n'), 0, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END};
  hb_shape(open.shaper, buffer, options.kerning ? nullptr : &noKerning, options.kerning ? 0 : 1);
  unsigned count = 0;
  const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
  const hb_glyph_position_t* position = hb_buffer_get_glyph_positions(buffer, &count);
  glyphs.resize(count);
  for (unsigned i = 0; i < count; ++i)
    glyphs[i] = {info[i].codepoint, info[i].cluster, position[i].x_advance, position[i].x_offset, position[i].y_offset};
}

bool PlatformFont::GlyphAbcWidths(uint32_t glyph, AbcWidths& widths) {
  if (!LoadGlyph(glyph)) return false;
  const Impl& m = *impl_;
  // Whole cell units; the three add up to the rounded advance.
  const int64_t den = int64_t{cellUnits_} * 64;
  int32_t advance = CellScale::RoundDiv(m.advance64 * 2048, den);
  widths.a = CellScale::RoundDiv(m.xMin64 * 2048, den);
  widths.b = static_cast<uint32_t>(CellScale::RoundDiv((m.xMax64 - m.xMin64) * 2048, den));
  widths.c = advance - widths.a - static_cast<int32_t>(widths.b);
  return true;
}

std::string CutFaceName(std::string_view utf8) {
  size_t units = 0;
  size_t i = 0;
  while (i < utf8.size()) {
    unsigned char b = static_cast<unsigned char>(utf8[i]);
    size_t len = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 1;
    size_t need = len == 4 ? 2 : 1;
    if (units + need > 31) break;
    units += need;
    i += std::min(len, utf8.size() - i);
  }
  return std::string(utf8.substr(0, i));
}

}  // namespace qv
