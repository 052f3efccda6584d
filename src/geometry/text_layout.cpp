#include "geometry/text_layout.h"

#include <algorithm>

#include "geometry/text_model.h"

namespace qv {

namespace {

// Characters that are never drawn and never looked for elsewhere: controls, joiners and
// variation selectors.
bool IsInvisible(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c < 0xA0) || (c >= 0x200B && c <= 0x200F) || (c >= 0xFE00 && c <= 0xFE0F) ||
         (c >= 0xE0100 && c <= 0xE01EF) || c == 0xFEFF;
}

}  // namespace

TextLayout::TextLayout(PlatformFont& primary) : primary_(primary) {}
TextLayout::~TextLayout() = default;

PlatformFont* TextLayout::FontFor(char32_t c, TextModelNotes* notes) {
  if (primary_.HasGlyph(c) || IsInvisible(c)) return &primary_;
  for (auto& font : fallbacks_)
    if (font->HasGlyph(c)) return Note(*font, c, notes);
  if (auto font = primary_.FallbackFor(c)) {
    fallbacks_.push_back(std::move(font));
    return Note(*fallbacks_.back(), c, notes);
  }
  // No font has it: the chosen font draws its missing-glyph box.
  if (notes && notes->missing.find(c) == std::u32string::npos) notes->missing += c;
  return &primary_;
}

PlatformFont* TextLayout::Note(PlatformFont& font, char32_t c, TextModelNotes* notes) {
  if (!notes) return &font;
  auto it = std::find_if(notes->substitutions.begin(), notes->substitutions.end(),
                         [&](const auto& s) { return s.family == font.Family(); });
  if (it == notes->substitutions.end()) it = notes->substitutions.insert(it, {font.Family(), {}});
  if (it->characters.find(c) == std::u32string::npos) it->characters += c;
  return &font;
}

void TextLayout::Lay(std::u32string_view text, const TextLayoutOptions& options, TextModelNotes* notes,
                     std::vector<PlacedGlyph>& glyphs) {
  glyphs.clear();
  advance_ = 0.0;
  const size_t n = text.size();
  if (n == 0) return;

  // A font per character. Marks, joiners and selectors stay with the character before them when
  // its font has them, so that they are shaped together with it.
  fontOf_.resize(n);
  for (size_t i = 0; i < n; ++i) {
    const char32_t c = text[i];
    if (i > 0 && (IsInvisible(c) || IsCombiningMark(c)) && fontOf_[i - 1]->HasGlyph(c))
      fontOf_[i] = fontOf_[i - 1] == &primary_ || primary_.HasGlyph(c) || IsInvisible(c) ? fontOf_[i - 1]
                                                                                        : Note(*fontOf_[i - 1], c, notes);
    else if (i > 0 && IsInvisible(c))
      fontOf_[i] = fontOf_[i - 1];
    else
      fontOf_[i] = FontFor(c, notes);
  }
  // Scripts: characters of no script of their own take the one before them (the one after them
  // at the start of the text).
  scriptOf_.resize(n);
  uint32_t script = kNoScript;
  for (size_t i = 0; i < n; ++i) {
    if (const uint32_t own = ScriptOf(text[i]); own != kNoScript) script = own;
    scriptOf_[i] = script;
  }
  const auto firstScript = std::find_if(scriptOf_.begin(), scriptOf_.end(), [](uint32_t s) { return s != kNoScript; });
  if (firstScript != scriptOf_.end()) std::fill(scriptOf_.begin(), firstScript, *firstScript);
  ResolveBidi(text, bidi_);

  // Runs of one font, level and script, in text order.
  runs_.clear();
  for (size_t i = 0; i < n; ++i) {
    if (!runs_.empty() && runs_.back().font == fontOf_[i] && runs_.back().level == bidi_.levels[i] &&
        runs_.back().script == scriptOf_[i]) {
      runs_.back().end = i + 1;
      continue;
    }
    runs_.push_back({i, i + 1, fontOf_[i], bidi_.levels[i], scriptOf_[i]});
  }
  // Then in the order they are seen: a run's characters stay together, so the first of them seen
  // tells where the run is.
  if (!bidi_.AllLeftToRight()) {
    visualOf_.resize(n);
    for (size_t v = 0; v < n; ++v) visualOf_[static_cast<size_t>(bidi_.visualToLogical[v])] = static_cast<int32_t>(v);
    auto seenAt = [&](const Run& run) {
      return *std::min_element(visualOf_.begin() + static_cast<ptrdiff_t>(run.begin),
                               visualOf_.begin() + static_cast<ptrdiff_t>(run.end));
    };
    std::sort(runs_.begin(), runs_.end(), [&](const Run& a, const Run& b) { return seenAt(a) < seenAt(b); });
  }

  // The pen walk: each glyph at the pen plus its offset, the pen moved by its advance (whole
  // cell units, as the character widths are), the letter spacing between two characters.
  const double tracking = options.tracking / 1000.0;
  double pen = 0.0;
  uint32_t lastCluster = 0;
  for (size_t r = 0; r < runs_.size(); ++r) {
    const Run& run = runs_[r];
    PlatformFont& font = *run.font;
    run.font->Shape(text, run.begin, run.end, {run.script, (run.level & 1) != 0, options.kerning}, shaped_);
    const double cell = font.CellUnits();
    for (const ShapedGlyph& g : shaped_) {
      // A control character the font has no glyph for is not drawn as the box.
      if (g.glyph == 0 && IsInvisible(text[g.cluster])) continue;
      if (!glyphs.empty() && g.cluster != lastCluster) pen += tracking;
      lastCluster = g.cluster;
      glyphs.push_back({&font, g.glyph, g.cluster, pen + g.xOffset / cell, g.yOffset / cell});
      pen += font.AdvanceInCell(g.advance) / 2048.0;
    }
  }
  advance_ = pen;
}

}  // namespace qv
