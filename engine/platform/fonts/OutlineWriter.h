#pragma once
// Turns a FreeType outline (26.6 pixels, y upward) into the native outline
// buffer described in FontTypes.h. Runs of straight segments become one
// line record; runs of quadratic segments one quadratic spline record, the
// implied on-curve points left out as the format implies them. Cubic
// segments (PostScript-flavoured faces) are approximated by quadratic
// pieces, so readers only ever meet lines and quadratic splines. Each
// polygon is closed explicitly: its last record ends on its start point.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <vector>

namespace platform::fonts {

std::vector<uint8_t> EncodeOutline(const FT_Outline& outline);

}  // namespace platform::fonts
