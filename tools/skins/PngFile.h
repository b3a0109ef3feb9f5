#pragma once

#include <filesystem>

#include "tools/skins/Image.h"

namespace skins {

// Writes the picture as an 8-bit PNG of the given kind with nothing but
// the IHDR, IDAT and IEND chunks, so that the same picture always gives
// the same bytes. An RGB file must come from a fully opaque picture: a
// pixel that is not would silently lose its transparency, so it throws.
void WritePng(const std::filesystem::path& path, const Image& image, Kind kind);

}  // namespace skins
