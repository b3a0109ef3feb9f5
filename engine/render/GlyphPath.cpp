#include "engine/render/GlyphPath.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kInitialCapacity = 256;
constexpr uint32_t kOutlineFailed = 0xFFFFFFFFu;

double ToDouble(platform::Fixed f) { return platform::FixedToDouble(f); }

}  // namespace

void IMGlyphPath::Add(unsigned command, double x, double y) {
  commands.push_back(static_cast<uint8_t>(command));
  vertices.push_back(x);
  vertices.push_back(y);
}

void IMGlyphPath::Build(const platform::TextMetrics& metrics, const platform::AbcWidths& widths,
                        std::span<const uint8_t> outline, uint32_t outlineSize, bool underline) {
  commands.clear();
  vertices.clear();
  readPosition = 0;
  cellHeight = metrics.tmHeight;
  advance = widths.abcA + static_cast<int32_t>(widths.abcB) + widths.abcC;
  if (outlineSize == kOutlineFailed) {
    Add(kStop, 0, 0);
    return;
  }
  // About one command per 8 outline bytes.
  const size_t expected = outlineSize / 8 + kInitialCapacity;
  commands.reserve(expected);
  vertices.reserve(2 * expected);

  AddPolygons(outline.first(std::min<size_t>(outline.size(), outlineSize)), metrics.tmDescent);
  if (underline) {
    const double d = metrics.tmDescent;
    Add(kMoveTo, 0, d / 2);
    Add(kLineTo, advance, d / 2);
    Add(kLineTo, advance, d / 15);
    Add(kLineTo, 0, d / 15);
    Add(kEndPolygon, 0, 0);
  }
  Add(kStop, 0, 0);
}

void IMGlyphPath::AddPolygons(std::span<const uint8_t> outline, double descent) {
  using platform::OutlineCurve;
  using platform::OutlinePolygonHeader;
  using platform::PointFx;
  size_t at = 0;
  while (at + sizeof(OutlinePolygonHeader) <= outline.size()) {
    OutlinePolygonHeader header;
    std::memcpy(&header, outline.data() + at, sizeof header);
    if (header.size < sizeof header || header.size > outline.size() - at) return;
    const size_t end = at + header.size;
    Add(kMoveTo, ToDouble(header.start.x), ToDouble(header.start.y) + descent);

    size_t record = at + sizeof header;
    while (record + sizeof(OutlineCurve) <= end) {
      OutlineCurve curve;
      std::memcpy(&curve, outline.data() + record, sizeof curve);
      const size_t pointsAt = record + sizeof curve;
      if (pointsAt + size_t{curve.count} * sizeof(PointFx) > end) return;
      auto point = [&](size_t i) {
        PointFx p;
        std::memcpy(&p, outline.data() + pointsAt + i * sizeof p, sizeof p);
        return p;
      };
      if (curve.type == platform::kCurveLine) {
        for (size_t i = 0; i < curve.count; ++i) {
          const PointFx p = point(i);
          Add(kLineTo, ToDouble(p.x), ToDouble(p.y) + descent);
        }
      } else if (curve.type == platform::kCurveQSpline && curve.count >= 2) {
        // Control point i, ending on point i + 1 when that is the last,
        // else on the implied point halfway to it.
        for (size_t i = 0; i + 1 < curve.count; ++i) {
          const PointFx c = point(i);
          const PointFx next = point(i + 1);
          double ex = ToDouble(next.x);
          double ey = ToDouble(next.y);
          if (i + 2 < curve.count) {
            const int64_t mx =
                (int64_t{platform::FixedToRaw(c.x)} + platform::FixedToRaw(next.x)) / 2;
            const int64_t my =
                (int64_t{platform::FixedToRaw(c.y)} + platform::FixedToRaw(next.y)) / 2;
            ex = static_cast<double>(mx) / 65536.0;
            ey = static_cast<double>(my) / 65536.0;
          }
          Add(kCurve3, ToDouble(c.x), ToDouble(c.y) + descent);
          Add(kCurve3, ex, ey + descent);
        }
      }
      // Cubic records are skipped.
      record = pointsAt + size_t{curve.count} * sizeof(PointFx);
    }
    Add(kEndPolygon, 0, 0);
    at = end;
  }
}

void IMGlyphPath::rewind(unsigned) { readPosition = 0; }

unsigned IMGlyphPath::vertex(double* x, double* y) {
  if (readPosition >= commands.size()) {
    *x = 0;
    *y = 0;
    return kStop;
  }
  *x = vertices[2 * readPosition];
  *y = vertices[2 * readPosition + 1];
  return commands[readPosition++];
}
