#include "tools/skins/Typeface.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>

namespace skins {

struct Typeface::FontFile {
  std::string path;
  int index = 0;
};

namespace {

// Asks fontconfig for the family in bold and accepts the answer only if it
// really is that family in a bold weight.
bool FindBold(const char* family, Typeface::FontFile& found) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_BOLD);
  FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return false;

  FcChar8* matchedFamily = nullptr;
  FcChar8* file = nullptr;
  int weight = 0;
  int index = 0;
  const bool ok =
      FcPatternGetString(match, FC_FAMILY, 0, &matchedFamily) == FcResultMatch &&
      FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
      FcPatternGetInteger(match, FC_WEIGHT, 0, &weight) == FcResultMatch &&
      FcStrCmpIgnoreCase(matchedFamily, reinterpret_cast<const FcChar8*>(family)) == 0 &&
      weight >= FC_WEIGHT_BOLD;
  if (ok) {
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    found = {reinterpret_cast<const char*>(file), index};
  }
  FcPatternDestroy(match);
  return ok;
}

Typeface::FontFile FindCaptionFont() {
  if (!FcInit()) throw std::runtime_error("fontconfig does not start");
  Typeface::FontFile found;
  for (const char* family : {"Liberation Sans", "DejaVu Sans"}) {
    if (FindBold(family, found)) return found;
  }
  throw std::runtime_error(
      "neither Liberation Sans Bold nor DejaVu Sans Bold is installed "
      "(Debian: fonts-liberation2 or fonts-dejavu-core)");
}

cairo_user_data_key_t faceKey;

}  // namespace

struct Typeface::FreeType {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
};

Typeface::Typeface() : freeType_(new FreeType), face_(nullptr) {
  try {
    Open(FindCaptionFont());
  } catch (...) {
    Release();
    throw;
  }
}

void Typeface::Open(const FontFile& font) {
  file_ = font.path;
  if (FT_Init_FreeType(&freeType_->library) != 0) {
    throw std::runtime_error("FreeType does not start");
  }
  if (FT_New_Face(freeType_->library, font.path.c_str(), font.index, &freeType_->face) != 0) {
    throw std::runtime_error("FreeType cannot open " + font.path);
  }
  face_ = cairo_ft_font_face_create_for_ft_face(freeType_->face, 0);
  // cairo may keep the face in its caches after we let go of it, so the
  // FreeType face is closed when cairo itself is done with it.
  const cairo_status_t status = cairo_font_face_set_user_data(
      face_, &faceKey, freeType_->face, [](void* face) { FT_Done_Face(static_cast<FT_Face>(face)); });
  if (status != CAIRO_STATUS_SUCCESS) {
    FT_Done_Face(freeType_->face);
    throw std::runtime_error("cairo cannot use " + font.path);
  }
}

Typeface::~Typeface() { Release(); }

void Typeface::Release() {
  if (face_) cairo_font_face_destroy(face_);
  // Emptying cairo's font caches releases the face for good, which closes
  // the FreeType face; only then may the library go.
  cairo_debug_reset_static_data();
  if (freeType_->library) FT_Done_FreeType(freeType_->library);
  delete freeType_;
  FcFini();
}

void Typeface::Select(cairo_t* cr, double pixelSize) const {
  cairo_set_font_face(cr, face_);
  cairo_set_font_size(cr, pixelSize);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  // Unhinted advances keep the measured width of a caption exact, so it
  // centres to the fraction of a pixel.
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

void Typeface::RequireGlyphs(cairo_t* cr, std::string_view utf8) const {
  cairo_scaled_font_t* font = cairo_get_scaled_font(cr);
  cairo_glyph_t* glyphs = nullptr;
  int count = 0;
  const cairo_status_t status = cairo_scaled_font_text_to_glyphs(
      font, 0, 0, utf8.data(), static_cast<int>(utf8.size()), &glyphs, &count, nullptr, nullptr,
      nullptr);
  bool complete = status == CAIRO_STATUS_SUCCESS;
  for (int i = 0; complete && i < count; ++i) complete = glyphs[i].index != 0;
  cairo_glyph_free(glyphs);
  if (!complete) {
    throw std::runtime_error(file_ + " cannot set the text \"" + std::string(utf8) + "\"");
  }
}

}  // namespace skins
