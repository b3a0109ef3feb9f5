// The font cache of IMResourceManager and the character textures made from
// it: every distinct character, font, size, colour, style and background is
// rendered once, by AGG from the glyph outline, into a texture of its own
// registered under the caller's key.
//
//   Font cache ........... GetFont, GetTextMetrics, GetCharWidths,
//                          GetGlyphMetrics, GetGlyphOutline, GetGlyphOutlineSize
//   Character textures ... CreateTextTexture

#include <agg_conv_curve.h>
#include <agg_pixfmt_rgba.h>
#include <agg_rasterizer_scanline_aa.h>
#include <agg_renderer_base.h>
#include <agg_renderer_scanline.h>
#include <agg_rendering_buffer.h>
#include <agg_scanline_u.h>

#include <cassert>
#include <new>

#include "engine/render/GlyphPath.h"
#include "engine/res/ResourceManager.h"

namespace {

// The largest native outline a character may have, as the buffer GDI
// callers of this program hand over; a larger one counts as failed.
constexpr size_t kOutlineBufferBytes = 16352;
constexpr uint32_t kOutlineFailed = 0xFFFFFFFFu;

// Curves are flattened to within 1/8 pixel rather than AGG's default 1/2:
// at 14 to 25 pixels a half-pixel chord shows as flat spots on round
// letters.
constexpr double kCurveApproximationScale = 4.0;

agg::rgba8 ToAgg(uint32_t argb) {
  return agg::rgba8(static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8),
                    static_cast<uint8_t>(argb), static_cast<uint8_t>(argb >> 24));
}

// Fills width x height pixels of the locked bits with the background and
// draws the path over it in the text colour. AGG's row 0 is the image's
// bottom row, so the path's upward y draws the character upright.
void RenderCharacter(IMGlyphPath& path, uint8_t* bits, int32_t pitch, int32_t width, int32_t height,
                     uint32_t textColour, uint32_t background) {
  agg::rendering_buffer buffer(bits, static_cast<unsigned>(width), static_cast<unsigned>(height),
                               -pitch);
  agg::pixfmt_bgra32 pixels(buffer);
  agg::renderer_base<agg::pixfmt_bgra32> base(pixels);
  base.clear(ToAgg(background));

  agg::rasterizer_scanline_aa<> rasteriser;
  rasteriser.gamma(agg::gamma_none());
  rasteriser.filling_rule(agg::fill_non_zero);
  rasteriser.auto_close(true);
  agg::conv_curve<IMGlyphPath> curves(path);
  curves.approximation_scale(kCurveApproximationScale);
  rasteriser.add_path(curves);
  agg::scanline_u8 scanline;
  agg::render_scanlines_aa_solid(rasteriser, scanline, base, ToAgg(textColour));
}

}  // namespace

// --- Font cache ----------------------------------------------------------

uint32_t IMResourceManager::GetFont(const std::u16string& faceName, int32_t height, bool bold,
                                    bool italic, bool underline) {
  for (uint32_t i = 0; i < fonts.size(); ++i) {
    const IMFontRecord& r = *fonts[i];
    if (r.faceName == faceName && r.height == height && r.bold == bold && r.italic == italic) {
      return i;
    }
  }
  auto record = std::make_unique<IMFontRecord>();
  record->faceName = faceName;
  record->height = height;
  record->bold = bold;
  record->italic = italic;
  record->underline = underline;
  if (!fontLibrary) fontLibrary = platform::FontLibrary::Create();
  if (fontLibrary) {
    platform::FontRequest request;
    request.faceName = faceName;
    request.height = height;
    request.weight = bold ? platform::kWeightBold : platform::kWeightNormal;
    request.italic = italic;
    request.underline = underline;
    request.charSet = platform::kRussianCharset;
    record->font = fontLibrary->CreateFont(request);
    if (record->font) record->metrics = record->font->Metrics();
  }
  fonts.push_back(std::move(record));
  return static_cast<uint32_t>(fonts.size() - 1);
}

const platform::TextMetrics& IMResourceManager::GetTextMetrics(uint32_t font) const {
  assert(font < fonts.size());
  return fonts[font]->metrics;
}

platform::AbcWidths IMResourceManager::GetCharWidths(uint32_t font, char16_t ch) {
  assert(font < fonts.size());
  IMFontRecord& record = *fonts[font];
  const auto found = record.charWidths.find(ch);
  if (found != record.charWidths.end()) return found->second;
  platform::AbcWidths widths;
  if (record.font) widths = record.font->CharAbcWidths(ch).value_or(platform::AbcWidths{});
  record.charWidths.emplace(ch, widths);
  return widths;
}

IMFontRecord& IMResourceManager::LoadOutline(uint32_t font, char16_t ch) {
  assert(font < fonts.size());
  IMFontRecord& record = *fonts[font];
  if (record.outlineSizes.contains(ch)) return record;
  std::vector<uint8_t> buffer(kOutlineBufferBytes);
  platform::GlyphMetrics metrics;
  std::optional<uint32_t> size;
  if (record.font) size = record.font->GlyphOutline(ch, metrics, buffer);
  // Only the bytes the outline uses are kept: most characters need a few
  // hundred of the buffer's sixteen thousand.
  buffer.resize(size.value_or(0));
  buffer.shrink_to_fit();
  record.glyphMetrics.emplace(ch, size ? metrics : platform::GlyphMetrics{});
  record.outlines.emplace(ch, std::move(buffer));
  record.outlineSizes.emplace(ch, size.value_or(kOutlineFailed));
  return record;
}

platform::GlyphMetrics IMResourceManager::GetGlyphMetrics(uint32_t font, char16_t ch) {
  return LoadOutline(font, ch).glyphMetrics.at(ch);
}

std::span<const uint8_t> IMResourceManager::GetGlyphOutline(uint32_t font, char16_t ch) {
  return LoadOutline(font, ch).outlines.at(ch);
}

uint32_t IMResourceManager::GetGlyphOutlineSize(uint32_t font, char16_t ch) {
  return LoadOutline(font, ch).outlineSizes.at(ch);
}

// --- Character textures --------------------------------------------------

uint32_t IMResourceManager::CreateTextTexture(const std::u16string& key, char16_t ch,
                                              const RECT* size, uint32_t textColour, int32_t height,
                                              const std::u16string& faceName, bool italic,
                                              bool bold, bool underline, uint32_t background) {
  const uint32_t existing = FindTexture(key);
  if (existing != handleCount) return AddRefTexture(existing);

  const uint32_t font = GetFont(faceName, height, bold, italic, underline);
  IMGlyphPath path;
  path.Build(GetTextMetrics(font), GetCharWidths(font, ch), GetGlyphOutline(font, ch),
             GetGlyphOutlineSize(font, ch), underline);
  int32_t width = size ? size->right - size->left : path.Advance();
  int32_t rows = size ? size->bottom - size->top : path.CellHeight();
  if (width <= 0) width = 1;
  if (rows <= 0) rows = 1;

  for (;;) {
    try {
      auto texture = CreateDeviceTexture(width, rows, platform::Format::A8R8G8B8);
      if (!texture) return handleCount;
      platform::LockedRect locked;
      // A texture that cannot be locked is registered unfilled all the same.
      if (texture->LockRect(0, &locked) == platform::Result::Ok) {
        RenderCharacter(path, static_cast<uint8_t*>(locked.pBits), locked.Pitch, width, rows,
                        textColour, background);
        texture->UnlockRect(0);
      }
      return RegisterTexture(key, std::move(texture), IMImageSize{width, rows},
                             platform::Format::A8R8G8B8);
    } catch (const std::bad_alloc&) {
      if (!EvictOneOtherThan(key)) return handleCount;
    }
  }
}
