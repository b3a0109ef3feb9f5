#pragma once
// Owning handles for the FreeType and fontconfig objects the font service
// keeps, so that every one is freed exactly once whatever path is taken.

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>

namespace platform::fonts {

struct LibraryDeleter {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct FontSetDeleter {
  void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};
struct LangSetDeleter {
  void operator()(FcLangSet* set) const { FcLangSetDestroy(set); }
};

// Shared: every face made from a library keeps it alive, and must be freed
// before it.
using LibraryHandle = std::shared_ptr<FT_LibraryRec_>;
using FaceHandle = std::unique_ptr<FT_FaceRec_, FaceDeleter>;
using PatternHandle = std::unique_ptr<FcPattern, PatternDeleter>;
using FontSetHandle = std::unique_ptr<FcFontSet, FontSetDeleter>;
using LangSetHandle = std::unique_ptr<FcLangSet, LangSetDeleter>;

}  // namespace platform::fonts
