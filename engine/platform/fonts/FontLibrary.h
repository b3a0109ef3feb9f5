#pragma once
// The font service: makes fonts the way GDI's CreateFont does, from a face
// name, a height, a weight, italic, underline and a character set, over
// FreeType and fontconfig.
//
// A positive height is the character cell (ascent + descent, taken from
// the face's Windows ascent and descent), a negative one the em height;
// both in pixels. The face is chosen by fontconfig: "Arial" resolves to
// Liberation Sans, and a name that is not found falls back to the default
// sans-serif face, so a font always has glyphs when any outline font is
// installed. A weight of 600 or more asks for bold; when the face chosen
// has no bold (or italic) of its own, the outlines are thickened (or
// slanted).

#include <cstdint>
#include <memory>
#include <string>

#include "engine/platform/fonts/Font.h"
#include "engine/platform/fonts/FontTypes.h"

struct FT_LibraryRec_;

namespace platform {

struct FontRequest {
  std::u16string faceName;
  int32_t height = 0;  // > 0 cell height, < 0 em height, in pixels
  int32_t weight = kWeightNormal;
  bool italic = false;
  bool underline = false;  // recorded in the metrics; outlines never show it
  uint8_t charSet = kRussianCharset;
};

class FontLibrary {
  struct Key {};  // made only by Create

 public:
  FontLibrary(Key, std::shared_ptr<FT_LibraryRec_> library);
  // Null when FreeType cannot start.
  static std::unique_ptr<FontLibrary> Create();
  ~FontLibrary();
  FontLibrary(const FontLibrary&) = delete;
  FontLibrary& operator=(const FontLibrary&) = delete;

  // Null when the height is 0 or no outline face at all can be opened
  // (neither the one asked for nor the default sans-serif face). Fonts
  // keep what they need of the library alive and may outlive it.
  std::unique_ptr<Font> CreateFont(const FontRequest& request) const;

 private:
  std::shared_ptr<FT_LibraryRec_> library;
};

}  // namespace platform
