#include "engine/platform/fonts/Font.h"

#include <ft2build.h>
#include FT_BBOX_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cstring>

#include "engine/platform/fonts/FontState.h"
#include "engine/platform/fonts/OutlineWriter.h"

namespace platform {

namespace {

int32_t Floor(FT_Pos v) { return static_cast<int32_t>((v & ~FT_Pos{63}) >> 6); }
int32_t Ceil(FT_Pos v) { return static_cast<int32_t>(((v + 63) & ~FT_Pos{63}) >> 6); }
int32_t Round(FT_Pos v) { return static_cast<int32_t>((v + 32) >> 6); }

// The loaded glyph's extent in whole pixels.
struct Box {
  bool empty = true;
  int32_t left = 0, right = 0, bottom = 0, top = 0;
  int32_t advance = 0;
};

Box Measure(FT_GlyphSlot slot) {
  Box box;
  box.advance = Round(slot->advance.x);
  if (slot->outline.n_points == 0) return box;
  FT_BBox bbox;
  if (FT_Outline_Get_BBox(&slot->outline, &bbox) != 0) return box;
  box.empty = false;
  box.left = Floor(bbox.xMin);
  box.right = Ceil(bbox.xMax);
  box.bottom = Floor(bbox.yMin);
  box.top = Ceil(bbox.yMax);
  return box;
}

}  // namespace

Font::Font(Key, std::unique_ptr<State> s) : state(std::move(s)) {}
Font::~Font() = default;

const TextMetrics& Font::Metrics() const { return state->metrics; }
const std::string& Font::FamilyName() const { return state->family; }
const std::string& Font::FilePath() const { return state->file; }
bool Font::IsSyntheticBold() const { return state->emboldened; }
bool Font::IsSyntheticItalic() const { return state->obliqued; }

bool Font::LoadGlyph(char16_t ch) const {
  FT_Face face = state->face.get();
  // Index 0, the face's default glyph, stands for characters it lacks.
  const FT_UInt index = FT_Get_Char_Index(face, ch);
  if (FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP) != 0) return false;
  if (face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) return false;
  if (state->emboldened) FT_GlyphSlot_Embolden(face->glyph);
  if (state->obliqued) FT_GlyphSlot_Oblique(face->glyph);
  return true;
}

std::optional<AbcWidths> Font::CharAbcWidths(char16_t ch) const {
  if (!LoadGlyph(ch)) return std::nullopt;
  const Box box = Measure(state->face->glyph);
  if (box.empty) return AbcWidths{0, 0, box.advance};
  const int32_t black = box.right - box.left;
  return AbcWidths{box.left, static_cast<uint32_t>(black), box.advance - box.left - black};
}

std::optional<uint32_t> Font::GlyphOutline(char16_t ch, GlyphMetrics& metrics,
                                           std::span<uint8_t> buffer) const {
  if (!LoadGlyph(ch)) return std::nullopt;
  const FT_GlyphSlot slot = state->face->glyph;
  const Box box = Measure(slot);
  const std::vector<uint8_t> outline = fonts::EncodeOutline(slot->outline);
  const auto size = static_cast<uint32_t>(outline.size());
  if (!buffer.empty() && size > buffer.size()) return std::nullopt;

  GlyphMetrics m;
  m.gmCellIncX = static_cast<int16_t>(box.advance);
  if (box.empty) {
    m.gmBlackBoxX = 1;
    m.gmBlackBoxY = 1;
  } else {
    m.gmBlackBoxX = static_cast<uint32_t>(std::max(1, box.right - box.left));
    m.gmBlackBoxY = static_cast<uint32_t>(std::max(1, box.top - box.bottom));
    m.gmptGlyphOrigin = POINT{box.left, box.top};
  }
  metrics = m;
  if (!buffer.empty() && size > 0) std::memcpy(buffer.data(), outline.data(), size);
  return size;
}

}  // namespace platform
