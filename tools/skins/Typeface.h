#pragma once
// The bold sans-serif face every caption is set in, found through
// fontconfig and handed to cairo through FreeType.

#include <cairo.h>

#include <string>
#include <string_view>

namespace skins {

class Typeface {
 public:
  // Finds Liberation Sans Bold, else DejaVu Sans Bold. Throws when
  // neither is installed: fontconfig would otherwise quietly offer some
  // other face, and the captions would change from one machine to the next.
  Typeface();
  ~Typeface();
  Typeface(const Typeface&) = delete;
  Typeface& operator=(const Typeface&) = delete;

  // Selects the face on cr at the given pixel size, with the rendering
  // options fixed here rather than taken from the desktop's settings.
  void Select(cairo_t* cr, double pixelSize) const;

  // Throws unless the face has a glyph for every character of the UTF-8
  // text; a missing glyph would draw as an empty box.
  void RequireGlyphs(cairo_t* cr, std::string_view utf8) const;

  const std::string& file() const { return file_; }

  struct FontFile;

 private:
  void Open(const FontFile& font);
  void Release();

  std::string file_;
  struct FreeType;
  FreeType* freeType_;
  cairo_font_face_t* face_;
};

}  // namespace skins
