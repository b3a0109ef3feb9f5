#include "engine/platform/fonts/FontLibrary.h"

#include <ft2build.h>
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>

#include "engine/platform/fonts/FaceMatcher.h"
#include "engine/platform/fonts/FontState.h"
#include "engine/platform/text/Utf.h"

namespace platform {

namespace {

// Enough to get past a broken or unreadable file or two in the list
// fontconfig offers.
constexpr size_t kCandidates = 4;
constexpr int32_t kBoldFrom = 600;

int32_t RoundToInt(double v) { return static_cast<int32_t>(std::lround(v)); }

// The face's vertical design metrics in font units: the Windows ascent and
// descent that define the cell, and the line gap beyond it.
struct Design {
  double ascent = 0;
  double descent = 0;
  double externalGap = 0;
  double averageWidth = 0;
  int32_t weight = 0;
};

Design DesignOf(FT_Face face) {
  Design d;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  if (os2 && os2->version != 0xFFFFu && os2->usWinAscent + os2->usWinDescent > 0) {
    d.ascent = os2->usWinAscent;
    d.descent = os2->usWinDescent;
    d.averageWidth = os2->xAvgCharWidth;
    d.weight = os2->usWeightClass;
  } else {
    d.ascent = face->ascender;
    d.descent = -face->descender;
  }
  if (d.ascent + d.descent <= 0) {
    d.ascent = face->units_per_EM * 0.8;
    d.descent = face->units_per_EM * 0.2;
  }
  if (hhea) {
    // Whatever the line spacing the designer asked for exceeds the cell.
    const double lineSpacing = hhea->Ascender - hhea->Descender + hhea->Line_Gap;
    d.externalGap = std::max(0.0, lineSpacing - (d.ascent + d.descent));
  }
  if (d.averageWidth <= 0) d.averageWidth = face->max_advance_width / 2.0;
  return d;
}

std::unique_ptr<Font::State> OpenFace(const fonts::LibraryHandle& library,
                                      const fonts::FaceCandidate& candidate) {
  FT_Face raw = nullptr;
  if (FT_New_Face(library.get(), candidate.file.c_str(), candidate.index, &raw) != 0)
    return nullptr;
  fonts::FaceHandle face(raw);
  if (!FT_IS_SCALABLE(raw) || raw->units_per_EM == 0) return nullptr;
  FT_Select_Charmap(raw, FT_ENCODING_UNICODE);
  auto state = std::make_unique<Font::State>();
  state->library = library;
  state->face = std::move(face);
  state->family = candidate.family;
  state->file = candidate.file;
  return state;
}

}  // namespace

FontLibrary::FontLibrary(Key, std::shared_ptr<FT_LibraryRec_> l) : library(std::move(l)) {}
FontLibrary::~FontLibrary() = default;

std::unique_ptr<FontLibrary> FontLibrary::Create() {
  FT_Library raw = nullptr;
  if (FT_Init_FreeType(&raw) != 0) return nullptr;
  return std::make_unique<FontLibrary>(Key{}, fonts::LibraryHandle(raw, fonts::LibraryDeleter()));
}

std::unique_ptr<Font> FontLibrary::CreateFont(const FontRequest& request) const {
  if (request.height == 0) return nullptr;
  const bool bold = request.weight >= kBoldFrom;

  std::unique_ptr<Font::State> state;
  for (const std::string& family : {Utf16ToUtf8(request.faceName), std::string("sans-serif")}) {
    for (const auto& candidate : fonts::FindFaceCandidates(family, request.weight, request.italic,
                                                           request.charSet, kCandidates)) {
      state = OpenFace(library, candidate);
      if (state) break;
    }
    if (state) break;
  }
  if (!state) return nullptr;

  FT_Face face = state->face.get();
  const Design design = DesignOf(face);
  const double em = request.height > 0 ? request.height * static_cast<double>(face->units_per_EM) /
                                             (design.ascent + design.descent)
                                       : -static_cast<double>(request.height);
  if (FT_Set_Char_Size(face, 0, std::max<FT_F26Dot6>(1, std::lround(em * 64)), 72, 72) != 0) {
    return nullptr;
  }
  state->emboldened = bold && !(face->style_flags & FT_STYLE_FLAG_BOLD);
  state->obliqued = request.italic && !(face->style_flags & FT_STYLE_FLAG_ITALIC);

  // The metrics follow the exact scale, so that a positive height comes
  // back as the cell height asked for.
  const double scale = em / face->units_per_EM;
  TextMetrics& m = state->metrics;
  m.tmAscent = RoundToInt(design.ascent * scale);
  m.tmDescent = RoundToInt(design.descent * scale);
  m.tmHeight = m.tmAscent + m.tmDescent;
  m.tmInternalLeading = std::max(0, m.tmHeight - RoundToInt(em));
  m.tmExternalLeading = RoundToInt(design.externalGap * scale);
  m.tmAveCharWidth = RoundToInt(design.averageWidth * scale);
  m.tmMaxCharWidth = RoundToInt((face->bbox.xMax - face->bbox.xMin) * scale);
  m.tmWeight = state->emboldened || design.weight == 0 ? (bold ? kWeightBold : kWeightNormal)
                                                       : design.weight;
  m.tmItalic = request.italic ? 1 : 0;
  m.tmUnderlined = request.underline ? 1 : 0;
  m.tmCharSet = request.charSet;
  return std::make_unique<Font>(Font::Key{}, std::move(state));
}

}  // namespace platform
