#pragma once
// What a Font holds: shared between Font.cpp, which answers questions of
// it, and FontLibrary.cpp, which fills it in. Not for use outside the font
// service.

#include <string>

#include "engine/platform/fonts/Font.h"
#include "engine/platform/fonts/FreeTypeHandles.h"

namespace platform {

struct Font::State {
  // Declared first so that it is destroyed last: the face needs it.
  fonts::LibraryHandle library;
  fonts::FaceHandle face;
  TextMetrics metrics;
  std::string family;
  std::string file;
  bool emboldened = false;
  bool obliqued = false;
};

}  // namespace platform
