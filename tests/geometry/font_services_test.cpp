// Font services over the installed fonts: the face list, choosing fonts by name and weight, cell
// scaling, widths, collections and synthetic bold.
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstring>
#include <set>

#include "geometry/glyph_outline.h"
#include "glyph_checks.h"
#include "platform/font_catalog.h"
#include "platform/native_outline.h"
#include "platform/outline_records.h"
#include "platform/platform_font.h"
#include "geometry/text_model.h"

namespace qv {
namespace {

using testing::InstalledFont;

std::u16string Utf16(const std::string& utf8) {
  std::u16string out;
  for (char32_t c : CodePoints(utf8)) {
    if (c >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
  return out;
}

// Every point of every record of a buffer, the polygon start points included.
std::vector<FixedPoint> RecordPoints(const std::vector<uint8_t>& records) {
  std::vector<FixedPoint> points;
  size_t offset = 0;
  while (offset < records.size()) {
    uint32_t cb;
    std::memcpy(&cb, &records[offset], 4);
    FixedPoint p;
    std::memcpy(&p, &records[offset + 8], 8);
    points.push_back(p);
    size_t at = offset + kPolygonHeaderSize;
    while (at < offset + cb) {
      uint16_t count;
      std::memcpy(&count, &records[at + 2], 2);
      for (uint16_t i = 0; i < count; ++i) {
        std::memcpy(&p, &records[at + 4 + 8 * i], 8);
        points.push_back(p);
      }
      at += 4 + 8 * count;
    }
    offset += cb;
  }
  return points;
}

TEST(FontList, SortedUniqueOutlineFamiliesWithoutVerticalFaces) {
  const std::vector<std::string> names = ListOutlineFontFamilies();
  ASSERT_FALSE(names.empty());
  for (size_t i = 1; i < names.size(); ++i) EXPECT_LT(Utf16(names[i - 1]), Utf16(names[i])) << names[i];
  for (const std::string& name : names) EXPECT_NE(name[0], '@');
  const std::set<std::string> set(names.begin(), names.end());
  for (const char* expected : {"DejaVu Sans", "IPAGothic", "IPAゴシック", "Noto Sans CJK JP"}) {
    if (IsFamilyInstalled(expected)) {
      EXPECT_TRUE(set.count(expected)) << expected;
    }
  }
}

TEST(FontChoice, InstalledFamiliesAreUsedAndMatchedIgnoringCase) {
  if (!IsFamilyInstalled("DejaVu Sans")) GTEST_SKIP();
  for (const char* name : {"DejaVu Sans", "dejavu sans"}) {
    FontChoice choice = ChooseFont(name, 400);
    EXPECT_FALSE(choice.substituted) << name;
    EXPECT_EQ(choice.family, "DejaVu Sans");
    EXPECT_FALSE(choice.embolden);
  }
  // A real bold face is taken for bold; nothing is synthesised.
  FontChoice bold = ChooseFont("DejaVu Sans", 700);
  EXPECT_NE(bold.file.find("Bold"), std::string::npos) << bold.file;
  EXPECT_FALSE(bold.embolden);
}

TEST(FontChoice, BoldIsSynthesisedWhenTheFamilyHasNoBoldFace) {
  if (!IsFamilyInstalled("IPAGothic")) GTEST_SKIP();
  EXPECT_FALSE(ChooseFont("IPAGothic", 400).embolden);
  EXPECT_FALSE(ChooseFont("IPAGothic", 600).embolden);
  EXPECT_TRUE(ChooseFont("IPAGothic", 700).embolden);
  EXPECT_TRUE(ChooseFont("IPAGothic", 1000).embolden);

  auto regular = PlatformFont::Create("IPAGothic", 400);
  auto bold = PlatformFont::Create("IPAGothic", 700);
  ASSERT_TRUE(regular && bold);
  EXPECT_TRUE(bold->Emboldened());
  AbcWidths r, b;
  ASSERT_TRUE(regular->CharAbcWidths(U'I', r));
  ASSERT_TRUE(bold->CharAbcWidths(U'I', b));
  // Strokes thicken by a 24th of the em; the left bearing stays, the advance grows as much.
  const int32_t growth = CellScale(regular->CellUnits()).UnitsToCell(regular->UnitsPerEm() / 24);
  EXPECT_NEAR(static_cast<int32_t>(b.b) - static_cast<int32_t>(r.b), growth, 1);
  EXPECT_EQ(b.a, r.a);
  EXPECT_NEAR((b.a + int32_t(b.b) + b.c) - (r.a + int32_t(r.b) + r.c), growth, 1);
}

TEST(FontChoice, UnknownNamesAreSubstitutedByAFontThatHasTheText) {
  // The default face of the dialog does not exist here; Japanese text still gets its glyphs.
  for (const char* name : {"メイリオ", "No Such Font 123"}) {
    FontChoice choice = ChooseFont(name, 400, U"日本語のテキスト");
    EXPECT_TRUE(choice.substituted) << name;
    ASSERT_FALSE(choice.file.empty());
    auto font = PlatformFont::Create(name, 400, U"日本語のテキスト");
    ASSERT_TRUE(font);
    if (IsFamilyInstalled("IPAGothic") || IsFamilyInstalled("Noto Sans CJK JP")) {
      for (char32_t c : std::u32string(U"日本語のテキスト")) EXPECT_TRUE(font->HasGlyph(c)) << font->Family();
    }
  }
  // An empty name is a name like any other: some font answers.
  EXPECT_FALSE(ChooseFont("", 400, U"A").file.empty());
}

TEST(PlatformFont, CellIsTheWindowsAscentPlusDescent) {
  struct Case {
    const char* family;
    int32_t cell;
  } cases[] = {{"DejaVu Sans", 1901 + 483}, {"Noto Sans CJK JP", 1160 + 288}};
  for (const Case& c : cases) {
    auto font = InstalledFont(c.family);
    if (!font) continue;
    EXPECT_EQ(font->CellUnits(), c.cell) << c.family;
  }
}

// Outline points and widths follow from the unscaled font units by integer rounding alone.
TEST(PlatformFont, PointsAndWidthsAreRoundedFontUnits) {
  QV_REQUIRE_FONT(font, "DejaVu Sans");
  FT_Library library;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  FT_Face face;
  ASSERT_EQ(FT_New_Face(library, font->File().c_str(), font->FaceIndex(), &face), 0);
  const CellScale scale(font->CellUnits());
  for (char32_t c : std::u32string(U"HOgé")) {
    ASSERT_EQ(FT_Load_Char(face, c, FT_LOAD_NO_SCALE), 0);
    const FT_Outline& raw = face->glyph->outline;
    std::vector<uint8_t> records;
    ASSERT_GT(font->GlyphOutline(c, records), 0u);
    // Every record point is a glyph point scaled by integer rounding (DejaVu's contours start
    // on the curve, so there are no implied midpoints among them).
    std::set<std::pair<int32_t, int32_t>> expected;
    for (int i = 0; i < raw.n_points; ++i)
      expected.insert({scale.ToFixed(raw.points[i].x * 64), scale.ToFixed(raw.points[i].y * 64)});
    for (const FixedPoint& p : RecordPoints(records))
      EXPECT_TRUE(expected.count({p.x, p.y})) << "U+" << std::hex << uint32_t(c) << " " << p.x << "," << p.y;
    // Widths: A + B + C is the rounded advance.
    AbcWidths w;
    ASSERT_TRUE(font->CharAbcWidths(c, w));
    EXPECT_EQ(w.a + int32_t(w.b) + w.c, scale.UnitsToCell(face->glyph->metrics.horiAdvance));
    EXPECT_EQ(w.a, scale.UnitsToCell(face->glyph->metrics.horiBearingX));
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
}

TEST(PlatformFont, CharactersWithoutContoursOrGlyphs) {
  QV_REQUIRE_FONT(font, "DejaVu Sans");
  std::vector<uint8_t> records;
  EXPECT_EQ(font->GlyphOutline(U' ', records), 0u);
  EXPECT_TRUE(records.empty());
  AbcWidths space;
  EXPECT_TRUE(font->CharAbcWidths(U' ', space));
  EXPECT_GT(space.a + int32_t(space.b) + space.c, 0);
  // DejaVu Sans has no kanji: the character is missing, not an empty glyph.
  EXPECT_FALSE(font->HasGlyph(U'漢'));
  EXPECT_EQ(font->GlyphOutline(U'漢', records), kGlyphOutlineError);
  AbcWidths none;
  EXPECT_FALSE(font->CharAbcWidths(U'漢', none));
}

TEST(PlatformFont, FacesOfACollectionAndCubicOutlines) {
  auto jp = InstalledFont("Noto Sans CJK JP");
  if (!jp) GTEST_SKIP() << "Noto Sans CJK is not installed";
  EXPECT_TRUE(jp->IsCff());
  // Another face of the same collection file.
  auto other = PlatformFont::Open(jp->File(), jp->FaceIndex() == 0 ? 1 : 0);
  ASSERT_TRUE(other);
  EXPECT_NE(other->Family(), jp->Family());
  for (PlatformFont* font : {jp.get(), other.get()}) {
    GlyphOutline outline;
    ASSERT_TRUE(outline.ReadGlyph(*font, U'永', 5));
    EXPECT_GE(outline.PolygonCount(), 1);
    // CFF curves arrive as quadratic spline records, nothing else.
    std::vector<uint8_t> records;
    font->GlyphOutline(U'永', records);
    EXPECT_FALSE(RecordPoints(records).empty());
    size_t offset = 0;
    while (offset < records.size()) {
      uint32_t cb;
      std::memcpy(&cb, &records[offset], 4);
      size_t at = offset + kPolygonHeaderSize;
      while (at < offset + cb) {
        uint16_t type, count;
        std::memcpy(&type, &records[at], 2);
        std::memcpy(&count, &records[at + 2], 2);
        EXPECT_TRUE(type == kPrimLine || type == kPrimQSpline) << type;
        at += 4 + 8 * count;
      }
      offset += cb;
    }
  }
}

}  // namespace
}  // namespace qv
