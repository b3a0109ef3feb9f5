// The native outline encoder on hand-made FreeType contours: where a
// polygon starts, how segments group into records, explicit closing, the
// 26.6 to 16.16 conversion, and cubic segments turned into quadratic ones.

#include <gmock/gmock.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/platform/fonts/OutlineWriter.h"
#include "tests/platform/fonts/outline_reader.h"

namespace {

using platform::kCurveLine;
using platform::kCurveQSpline;
using testfonts::Pt;
using testfonts::Record;

constexpr char kOn = FT_CURVE_TAG_ON;
constexpr char kConic = FT_CURVE_TAG_CONIC;
constexpr char kCubic = FT_CURVE_TAG_CUBIC;

struct Node {
  double x, y;  // pixels
  char tag;
};

// One outline of the given contours, in 26.6.
class HandOutline {
 public:
  explicit HandOutline(const std::vector<std::vector<Node>>& contours) {
    for (const auto& contour : contours) {
      for (const Node& n : contour) {
        points.push_back(FT_Vector{std::lround(n.x * 64), std::lround(n.y * 64)});
        tags.push_back(n.tag);
      }
      ends.push_back(static_cast<short>(points.size() - 1));
    }
    outline.n_contours = static_cast<short>(ends.size());
    outline.n_points = static_cast<short>(points.size());
    outline.points = points.data();
    outline.tags = tags.data();
    outline.contours = ends.data();
    outline.flags = 0;
  }
  const FT_Outline& Get() const { return outline; }

 private:
  std::vector<FT_Vector> points;
  std::vector<char> tags;
  std::vector<short> ends;
  FT_Outline outline{};
};

std::vector<testfonts::Polygon> Encode(const std::vector<std::vector<Node>>& contours) {
  const HandOutline outline(contours);
  const std::vector<uint8_t> bytes = platform::fonts::EncodeOutline(outline.Get());
  bool ok = false;
  auto polygons = testfonts::ReadOutline(bytes, &ok);
  EXPECT_TRUE(ok) << "polygon and record sizes do not add up";
  return polygons;
}

struct Case {
  std::string name;
  std::vector<Node> contour;
  Pt start;
  std::vector<Record> records;
};

TEST(OutlineWriter, ContoursBecomePolygonsThatStartOnCurveAndCloseOnTheirStart) {
  const Case cases[] = {
      {"straight lines form one record, closed by a line back to the start",
       {{0, 0, kOn}, {10, 0, kOn}, {10, 10, kOn}, {0, 10, kOn}},
       {0, 0},
       {{kCurveLine, {{10, 0}, {10, 10}, {0, 10}, {0, 0}}}}},
      {"a contour beginning with a control point starts on its last point",
       {{5, 8, kConic}, {10, 0, kOn}, {0, 0, kOn}},
       {0, 0},
       {{kCurveQSpline, {{5, 8}, {10, 0}}}, {kCurveLine, {{0, 0}}}}},
      {"only control points: the start is the implied point between last and first",
       {{0, 4, kConic}, {4, 4, kConic}, {4, 0, kConic}, {0, 0, kConic}},
       {0, 2},
       {{kCurveQSpline, {{0, 4}, {4, 4}, {4, 0}, {0, 0}, {0, 2}}}}},
      {"a line, a spline of two controls, a spline that closes the polygon",
       {{0, 0, kOn}, {6, 0, kOn}, {8, 2, kConic}, {8, 6, kConic}, {6, 8, kOn}, {-2, 4, kConic}},
       {0, 0},
       {{kCurveLine, {{6, 0}}},
        {kCurveQSpline, {{8, 2}, {8, 6}, {6, 8}}},
        {kCurveQSpline, {{-2, 4}, {0, 0}}}}},
      {"fractions and negative coordinates survive as 16.16",
       {{-0.25, -1.5, kOn}, {3.015625, -1.5, kOn}, {3.015625, 2.75, kOn}},
       {-0.25, -1.5},
       {{kCurveLine, {{3.015625, -1.5}, {3.015625, 2.75}, {-0.25, -1.5}}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto polygons = Encode({c.contour});
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].type, platform::kPolygonTypeFill);
    EXPECT_EQ(polygons[0].start, c.start);
    EXPECT_EQ(polygons[0].records, c.records);
  }
}

TEST(OutlineWriter, EveryContourIsAPolygonOfItsOwn) {
  const auto polygons = Encode({{{0, 0, kOn}, {10, 0, kOn}, {10, 10, kOn}},
                                {{2, 2, kOn}, {4, 2, kOn}, {4, 4, kOn}, {2, 4, kOn}}});
  ASSERT_EQ(polygons.size(), 2u);
  EXPECT_EQ(polygons[1].start, (Pt{2, 2}));
  EXPECT_EQ(polygons[1].records.back().points.back(), (Pt{2, 2}));
  EXPECT_TRUE(Encode({}).empty());
}

// A cubic from (0,0) with controls (0,10) and (10,10) to (10,0).
Pt CubicAt(double t) {
  const double u = 1 - t;
  return Pt{3 * u * t * t * 10 + t * t * t * 10, 3 * u * u * t * 10 + 3 * u * t * t * 10};
}

TEST(OutlineWriter, CubicSegmentsBecomeQuadraticPiecesOnTheCurve) {
  const auto polygons = Encode({{{0, 0, kOn}, {0, 10, kCubic}, {10, 10, kCubic}, {10, 0, kOn}}});
  ASSERT_EQ(polygons.size(), 1u);
  const auto& records = polygons[0].records;
  ASSERT_GE(records.size(), 3u);
  // Pieces of the cubic, then the closing line.
  EXPECT_EQ(records.back(), (Record{kCurveLine, {{0, 0}}}));
  const size_t pieces = records.size() - 1;
  for (size_t i = 0; i < pieces; ++i) {
    SCOPED_TRACE(i);
    ASSERT_EQ(records[i].type, kCurveQSpline);
    ASSERT_EQ(records[i].points.size(), 2u);
    // The end of each piece lies on the cubic; the middle of the piece
    // stays within a tenth of a pixel of it.
    const double t0 = static_cast<double>(i) / pieces;
    const double t1 = static_cast<double>(i + 1) / pieces;
    const Pt end = CubicAt(t1);
    EXPECT_NEAR(records[i].points[1].x, end.x, 1e-3);
    EXPECT_NEAR(records[i].points[1].y, end.y, 1e-3);
    const Pt from = i == 0 ? Pt{0, 0} : records[i - 1].points[1];
    const Pt c = records[i].points[0];
    const Pt mid{0.25 * from.x + 0.5 * c.x + 0.25 * end.x,
                 0.25 * from.y + 0.5 * c.y + 0.25 * end.y};
    const Pt onCubic = CubicAt((t0 + t1) / 2);
    EXPECT_LT(std::hypot(mid.x - onCubic.x, mid.y - onCubic.y), 0.1);
  }
}

}  // namespace
