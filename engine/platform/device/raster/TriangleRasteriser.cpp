#include "engine/platform/device/raster/TriangleRasteriser.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/platform/device/raster/PixelMath.h"
#include "engine/platform/device/raster/TexelAddress.h"

namespace platform::raster {

namespace {

struct Point2 {
  double x;
  double y;
};

// One directed edge a -> b of a triangle wound so that its inside is where
// Value >= 0.
struct Edge {
  Point2 a;
  double dx;
  double dy;
  bool topLeft;

  Edge(Point2 from, Point2 to) : a(from), dx(to.x - from.x), dy(to.y - from.y) {
    // With the inside on the right of the edge (y down), a top edge runs
    // rightwards along the top and a left edge runs upwards.
    topLeft = dy < 0.0 || (dy == 0.0 && dx > 0.0);
  }
  double Value(double x, double y) const { return dx * (y - a.y) - dy * (x - a.x); }
  bool Covers(double x, double y) const {
    const double value = Value(x, y);
    return value > 0.0 || (value == 0.0 && topLeft);
  }
};

// attribute(x, y) = origin + perX (x - x0) + perY (y - y0).
struct Plane {
  double origin = 0.0;
  double perX = 0.0;
  double perY = 0.0;
};

Plane MakePlane(const Point2 (&p)[3], const double (&values)[3], double area2) {
  const double d1 = values[1] - values[0];
  const double d2 = values[2] - values[0];
  return Plane{values[0], (d1 * (p[2].y - p[0].y) - d2 * (p[1].y - p[0].y)) / area2,
               (d2 * (p[1].x - p[0].x) - d1 * (p[2].x - p[0].x)) / area2};
}

}  // namespace

void DrawTriangle(FrameBuffer& frame, const TransformedVertex& v0, const TransformedVertex& v1,
                  const TransformedVertex& v2, uint32_t flatColour, const DrawSetup& setup) {
  const TransformedVertex* vertex[3] = {&v0, &v1, &v2};
  Point2 p[3] = {{v0.x, v0.y}, {v1.x, v1.y}, {v2.x, v2.y}};
  double area2 = (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y);
  if (!(area2 != 0.0)) return;
  const bool clockwise = area2 > 0.0;  // on screen, y down
  if ((clockwise && setup.cull == Cull::Clockwise) ||
      (!clockwise && setup.cull == Cull::CounterClockwise)) {
    return;
  }
  if (!clockwise) {
    std::swap(p[1], p[2]);
    std::swap(vertex[1], vertex[2]);
    area2 = -area2;
  }
  const Edge edges[3] = {Edge(p[0], p[1]), Edge(p[1], p[2]), Edge(p[2], p[0])};
  const auto covers = [&edges](double x, double y) {
    return edges[0].Covers(x, y) && edges[1].Covers(x, y) && edges[2].Covers(x, y);
  };

  const TextureView& texture = setup.texture;
  const double s[3] = {double{vertex[0]->u} * texture.width, double{vertex[1]->u} * texture.width,
                       double{vertex[2]->u} * texture.width};
  const double t[3] = {double{vertex[0]->v} * texture.height, double{vertex[1]->v} * texture.height,
                       double{vertex[2]->v} * texture.height};
  const Plane sPlane = MakePlane(p, s, area2);
  const Plane tPlane = MakePlane(p, t, area2);
  const double footprint =
      std::max(std::hypot(sPlane.perX, tPlane.perX), std::hypot(sPlane.perY, tPlane.perY));
  const bool linear =
      (footprint > kMinificationThreshold ? setup.minFilter : setup.magFilter) == Filter::Linear;

  // The diffuse colour: one value, or a plane per channel.
  const bool varying =
      setup.shade == Shade::Gouraud &&
      !(vertex[0]->diffuse == vertex[1]->diffuse && vertex[0]->diffuse == vertex[2]->diffuse);
  const uint32_t constantColour =
      (setup.shade == Shade::Flat ? flatColour : vertex[0]->diffuse) | setup.diffuseOr;
  Plane channel[4];
  if (varying) {
    for (int c = 0; c < 4; ++c) {
      const double values[3] = {double((vertex[0]->diffuse >> (8 * c)) & 0xFFu),
                                double((vertex[1]->diffuse >> (8 * c)) & 0xFFu),
                                double((vertex[2]->diffuse >> (8 * c)) & 0xFFu)};
      channel[c] = MakePlane(p, values, area2);
    }
  }

  const RECT& clip = setup.clip;
  const double minY = std::min({p[0].y, p[1].y, p[2].y});
  const double maxY = std::max({p[0].y, p[1].y, p[2].y});
  const double minX = std::min({p[0].x, p[1].x, p[2].x});
  const double maxX = std::max({p[0].x, p[1].x, p[2].x});
  const double firstRow = std::max(std::ceil(minY), static_cast<double>(clip.top));
  const double endRow = std::min(std::ceil(maxY) + 1.0, static_cast<double>(clip.bottom));
  const double firstColumn = std::max(std::floor(minX), static_cast<double>(clip.left));
  const double lastColumn = std::min(std::ceil(maxX), static_cast<double>(clip.right) - 1.0);
  if (!(firstColumn <= lastColumn)) return;

  for (double y = firstRow; y < endRow; y += 1.0) {
    // The open span of this row from each edge's crossing, widened by one
    // pixel either way and then trimmed with the exact test.
    double from = firstColumn;
    double to = lastColumn;
    for (const Edge& edge : edges) {
      if (edge.dy == 0.0) continue;
      const double crossing = edge.a.x + (y - edge.a.y) * edge.dx / edge.dy;
      if (edge.dy < 0.0) {
        from = std::max(from, std::floor(crossing) - 1.0);  // inside lies to the right
      } else {
        to = std::min(to, std::ceil(crossing) + 1.0);  // inside lies to the left
      }
    }
    while (from <= to && !covers(from, y)) from += 1.0;
    while (to >= from && !covers(to, y)) to -= 1.0;
    if (from > to) continue;

    uint32_t* row = frame.Row(static_cast<int32_t>(y));
    for (double x = from; x <= to; x += 1.0) {
      const double dx = x - p[0].x;
      const double dy = y - p[0].y;
      const double ss = sPlane.origin + sPlane.perX * dx + sPlane.perY * dy;
      const double tt = tPlane.origin + tPlane.perX * dx + tPlane.perY * dy;
      uint32_t texel;
      if (linear) {
        const LinearTap across = LinearTexels(ss, texture.width);
        const LinearTap down = LinearTexels(tt, texture.height);
        const uint32_t* upper = texture.texels + static_cast<size_t>(down.first) * texture.pitch;
        const uint32_t* lower = texture.texels + static_cast<size_t>(down.second) * texture.pitch;
        texel = Bilinear(upper[across.first], upper[across.second], lower[across.first],
                         lower[across.second], across.weight, down.weight);
      } else {
        texel = texture.texels[static_cast<size_t>(PointTexel(tt, texture.height)) * texture.pitch +
                               PointTexel(ss, texture.width)];
      }
      uint32_t diffuse = constantColour;
      if (varying) {
        diffuse = 0;
        for (int c = 0; c < 4; ++c) {
          const double value = channel[c].origin + channel[c].perX * dx + channel[c].perY * dy;
          diffuse |= static_cast<uint32_t>(std::clamp(std::round(value), 0.0, 255.0)) << (8 * c);
        }
        diffuse |= setup.diffuseOr;
      }
      const uint32_t source = Modulate(texel | setup.texelOr, diffuse);
      uint32_t& pixel = row[static_cast<int32_t>(x)];
      uint32_t out = source;
      if (setup.blend == BlendMode::SourceOver) {
        out = BlendOver(source, pixel);
      } else if (setup.blend == BlendMode::Factors) {
        out = BlendFactors(source, pixel, setup.sourceFactor, setup.frameFactor);
      }
      pixel = (out & setup.writeMask) | (pixel & ~setup.writeMask);
    }
  }
}

}  // namespace platform::raster
