#pragma once
// The records the font service hands out, laid out the way the engine
// reads them: text metrics, ABC widths and glyph metrics per character,
// and the native glyph outline.
//
// The native outline is a byte buffer of polygons. Each polygon is an
// OutlinePolygonHeader (its `size` counts the header and all its curve
// records) followed by curve records; each curve record is an OutlineCurve
// followed by `count` PointFx. A polygon starts at `start`; every record
// continues from the last point of the one before. A line record draws a
// straight line to each of its points in turn. A quadratic spline record
// holds control points followed by the on-curve end point; between two
// consecutive control points lies an implied on-curve point halfway.
// Coordinates are 16.16 fixed point in pixels, x to the right of the
// character origin, y upward from the baseline. Every polygon ends back at
// its start point. Records are not aligned beyond 2 bytes: read them with
// memcpy.

#include <cstdint>

#include "engine/platform/geometry/Rect.h"

namespace platform {

// A 16.16 fixed-point number: the value is value + fract / 65536, so
// -0.25 is value -1, fract 49152. Same bits as the int32 raw * 65536.
struct Fixed {
  uint16_t fract = 0;
  int16_t value = 0;
};
static_assert(sizeof(Fixed) == 4);

inline int32_t FixedToRaw(Fixed f) {
  return static_cast<int32_t>((static_cast<uint32_t>(static_cast<uint16_t>(f.value)) << 16) |
                              f.fract);
}
inline Fixed FixedFromRaw(int32_t raw) {
  return Fixed{static_cast<uint16_t>(raw & 0xFFFF), static_cast<int16_t>(raw >> 16)};
}
inline double FixedToDouble(Fixed f) { return f.value + f.fract / 65536.0; }

struct PointFx {
  Fixed x;
  Fixed y;
};
static_assert(sizeof(PointFx) == 8);

constexpr uint32_t kPolygonTypeFill = 24;

struct OutlinePolygonHeader {
  uint32_t size = 0;  // bytes of this header and of all its curve records
  uint32_t type = kPolygonTypeFill;
  PointFx start;
};
static_assert(sizeof(OutlinePolygonHeader) == 16);

enum : uint16_t {
  kCurveLine = 1,
  kCurveQSpline = 2,
  kCurveCSpline = 3,  // never written by this service; readers skip it
};

struct OutlineCurve {
  uint16_t type = kCurveLine;
  uint16_t count = 0;  // PointFx records that follow
};
static_assert(sizeof(OutlineCurve) == 4);

// Metrics of a font in whole pixels. tmHeight = tmAscent + tmDescent is
// the character cell; tmInternalLeading is the part of the cell above the
// em square; tmExternalLeading the gap the designer asks between lines.
struct TextMetrics {
  int32_t tmHeight = 0;
  int32_t tmAscent = 0;
  int32_t tmDescent = 0;
  int32_t tmInternalLeading = 0;
  int32_t tmExternalLeading = 0;
  int32_t tmAveCharWidth = 0;
  int32_t tmMaxCharWidth = 0;
  int32_t tmWeight = 0;
  uint8_t tmItalic = 0;
  uint8_t tmUnderlined = 0;
  uint8_t tmCharSet = 0;
};

// A character's advance split in three: A from the origin to the black
// box, B the black box, C from the box to the next origin. A and C may be
// negative; A + B + C is the advance.
struct AbcWidths {
  int32_t abcA = 0;
  uint32_t abcB = 0;
  int32_t abcC = 0;
};

// The black box of a character's outline in whole pixels, its top-left
// corner relative to the origin (y upward), and the advance.
struct GlyphMetrics {
  uint32_t gmBlackBoxX = 0;
  uint32_t gmBlackBoxY = 0;
  POINT gmptGlyphOrigin;
  int16_t gmCellIncX = 0;
  int16_t gmCellIncY = 0;
};

// Weights as fonts are asked for: 400 regular, 700 bold.
constexpr int32_t kWeightNormal = 400;
constexpr int32_t kWeightBold = 700;

// Character sets a font may be asked for. The set decides which language
// the face must cover when fontconfig chooses it.
enum : uint8_t {
  kAnsiCharset = 0,
  kDefaultCharset = 1,
  kRussianCharset = 204,
};

}  // namespace platform
