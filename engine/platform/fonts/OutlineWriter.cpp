#include "engine/platform/fonts/OutlineWriter.h"

#include <cmath>
#include <cstring>

#include "engine/platform/fonts/FontTypes.h"

namespace platform::fonts {

namespace {

// 26.6 to 16.16 is exact.
constexpr int32_t k26Dot6ToFixed = 1024;

struct Point {
  double x = 0;  // in 26.6 units
  double y = 0;
};

enum class Kind { On, Conic, Cubic };

Kind KindOf(char tag) {
  switch (FT_CURVE_TAG(tag)) {
    case FT_CURVE_TAG_ON:
      return Kind::On;
    case FT_CURVE_TAG_CUBIC:
      return Kind::Cubic;
    default:
      return Kind::Conic;
  }
}

Point Mid(Point a, Point b) { return Point{(a.x + b.x) / 2, (a.y + b.y) / 2}; }
Point Lerp(Point a, Point b, double t) {
  return Point{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

PointFx ToFx(Point p) {
  return PointFx{FixedFromRaw(static_cast<int32_t>(std::lround(p.x * k26Dot6ToFixed))),
                 FixedFromRaw(static_cast<int32_t>(std::lround(p.y * k26Dot6ToFixed)))};
}

// Appends records to the buffer, merging consecutive segments of one kind
// into one record.
class PolygonBuilder {
 public:
  explicit PolygonBuilder(std::vector<uint8_t>& out, Point start) : out(out), begin(out.size()) {
    OutlinePolygonHeader header;
    header.start = ToFx(start);
    Append(&header, sizeof header);
  }

  void LineTo(Point p) {
    Open(kCurveLine);
    AddPoint(p);
  }
  // A control point of a run of quadratic segments; the run ends at the
  // next on-curve point given to End.
  void Control(Point c) {
    Open(kCurveQSpline);
    AddPoint(c);
  }
  void EndSpline(Point p) {
    AddPoint(p);
    recordType = 0;  // the next control starts a new record
  }
  // One cubic segment from `from`, as quadratic pieces of their own.
  void CubicTo(Point from, Point c1, Point c2, Point to) {
    constexpr int kPieces = 4;
    Point p0 = from;
    for (int i = 1; i <= kPieces; ++i) {
      // The piece of the cubic between t0 and t1, by de Casteljau on the
      // whole curve, approximated by the quadratic through its tangents.
      const double t0 = static_cast<double>(i - 1) / kPieces;
      const double t1 = static_cast<double>(i) / kPieces;
      const Point p3 = At(from, c1, c2, to, t1);
      const Point d0 = Derivative(from, c1, c2, to, t0);
      const Point d1 = Derivative(from, c1, c2, to, t1);
      const double h = (t1 - t0) / 3;
      const Point q1{p0.x + d0.x * h, p0.y + d0.y * h};
      const Point q2{p3.x - d1.x * h, p3.y - d1.y * h};
      const Point control{(3 * (q1.x + q2.x) - p0.x - p3.x) / 4,
                          (3 * (q1.y + q2.y) - p0.y - p3.y) / 4};
      recordType = 0;
      Control(control);
      EndSpline(p3);
      p0 = p3;
    }
  }

  void Finish() {
    const uint32_t size = static_cast<uint32_t>(out.size() - begin);
    std::memcpy(out.data() + begin, &size, sizeof size);
  }

 private:
  static Point At(Point p0, Point p1, Point p2, Point p3, double t) {
    const Point a = Lerp(p0, p1, t), b = Lerp(p1, p2, t), c = Lerp(p2, p3, t);
    return Lerp(Lerp(a, b, t), Lerp(b, c, t), t);
  }
  static Point Derivative(Point p0, Point p1, Point p2, Point p3, double t) {
    const double u = 1 - t;
    const double a = 3 * u * u, b = 6 * u * t, c = 3 * t * t;
    return Point{a * (p1.x - p0.x) + b * (p2.x - p1.x) + c * (p3.x - p2.x),
                 a * (p1.y - p0.y) + b * (p2.y - p1.y) + c * (p3.y - p2.y)};
  }

  void Open(uint16_t type) {
    if (recordType == type) return;
    recordType = type;
    recordAt = out.size();
    OutlineCurve curve;
    curve.type = type;
    Append(&curve, sizeof curve);
  }
  void AddPoint(Point p) {
    const PointFx fx = ToFx(p);
    Append(&fx, sizeof fx);
    OutlineCurve curve;
    std::memcpy(&curve, out.data() + recordAt, sizeof curve);
    ++curve.count;
    std::memcpy(out.data() + recordAt, &curve, sizeof curve);
  }
  void Append(const void* bytes, size_t size) {
    const auto* b = static_cast<const uint8_t*>(bytes);
    out.insert(out.end(), b, b + size);
  }

  std::vector<uint8_t>& out;
  size_t begin;
  size_t recordAt = 0;
  uint16_t recordType = 0;
};

void EncodeContour(std::vector<uint8_t>& out, const FT_Outline& outline, int first, int last) {
  const int n = last - first + 1;
  if (n < 2) return;
  auto point = [&](int i) {
    const FT_Vector& v = outline.points[first + i];
    return Point{static_cast<double>(v.x), static_cast<double>(v.y)};
  };
  auto kind = [&](int i) { return KindOf(outline.tags[first + i]); };

  // The polygon starts on an on-curve point: the first, else the last,
  // else (both are quadratic controls) the implied point between them.
  // `order` lists the points after the start, ending on the start again.
  Point start;
  std::vector<std::pair<Point, Kind>> order;
  order.reserve(static_cast<size_t>(n) + 1);
  if (kind(0) == Kind::On) {
    start = point(0);
    for (int i = 1; i < n; ++i) order.emplace_back(point(i), kind(i));
  } else if (kind(n - 1) == Kind::On) {
    start = point(n - 1);
    for (int i = 0; i < n - 1; ++i) order.emplace_back(point(i), kind(i));
  } else {
    start = Mid(point(n - 1), point(0));
    for (int i = 0; i < n; ++i) order.emplace_back(point(i), kind(i));
  }
  order.emplace_back(start, Kind::On);

  PolygonBuilder polygon(out, start);
  Point pen = start;
  bool inSpline = false;
  for (size_t i = 0; i < order.size(); ++i) {
    const auto [p, k] = order[i];
    if (k == Kind::Cubic) {
      // Cubic controls come in pairs followed by an on-curve point; a
      // malformed contour that breaks the pattern ends here.
      if (i + 2 >= order.size()) break;
      const Point c2 = order[i + 1].first;
      const Point to = order[i + 2].first;
      polygon.CubicTo(pen, p, c2, to);
      pen = to;
      i += 2;
      inSpline = false;
      continue;
    }
    if (k == Kind::Conic) {
      polygon.Control(p);
      inSpline = true;
      continue;
    }
    if (inSpline) {
      polygon.EndSpline(p);
      inSpline = false;
    } else {
      polygon.LineTo(p);
    }
    pen = p;
  }
  polygon.Finish();
}

}  // namespace

std::vector<uint8_t> EncodeOutline(const FT_Outline& outline) {
  std::vector<uint8_t> out;
  int first = 0;
  for (int c = 0; c < outline.n_contours; ++c) {
    const int last = outline.contours[c];
    EncodeContour(out, outline, first, last);
    first = last + 1;
  }
  return out;
}

}  // namespace platform::fonts
