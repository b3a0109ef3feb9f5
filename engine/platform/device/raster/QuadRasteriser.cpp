#include "engine/platform/device/raster/QuadRasteriser.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/platform/device/raster/SpanCompositor.h"

namespace platform::raster {

bool QuadRasteriser::Draw(FrameBuffer& frame, const TransformedVertex (&fan)[4],
                          const DrawSetup& setup) {
  if (setup.writeMask != 0xFFFFFFFFu || setup.blend == BlendMode::Factors) return false;
  const TransformedVertex& a = fan[0];  // left, top
  const TransformedVertex& b = fan[1];  // right, top
  const TransformedVertex& c = fan[2];  // right, bottom
  const TransformedVertex& d = fan[3];  // left, bottom
  const bool upright = a.y == b.y && b.x == c.x && c.y == d.y && d.x == a.x;
  const bool texelAxes = a.v == b.v && b.u == c.u && c.v == d.v && d.u == a.u;
  const bool oneColour = a.diffuse == b.diffuse && a.diffuse == c.diffuse && a.diffuse == d.diffuse;
  if (!upright || !texelAxes || !oneColour || !(a.x < b.x) || !(a.y < d.y)) return false;
  if (setup.cull == Cull::Clockwise) return true;

  // Pixel centres x with a.x <= x < b.x, and the same for y, within the clip.
  const RECT& clip = setup.clip;
  const double firstX = std::max(std::ceil(double{a.x}), static_cast<double>(clip.left));
  const double endX = std::min(std::ceil(double{b.x}), static_cast<double>(clip.right));
  const double firstY = std::max(std::ceil(double{a.y}), static_cast<double>(clip.top));
  const double endY = std::min(std::ceil(double{d.y}), static_cast<double>(clip.bottom));
  if (!(firstX < endX) || !(firstY < endY)) return true;
  left = static_cast<int32_t>(firstX);
  width = static_cast<int32_t>(endX - firstX);
  const int32_t top = static_cast<int32_t>(firstY);
  const int32_t bottom = static_cast<int32_t>(endY);

  const TextureView& texture = setup.texture;
  const double texelsPerColumn =
      (double{b.u} - double{a.u}) * texture.width / (double{b.x} - double{a.x});
  texelsPerRow = (double{d.v} - double{a.v}) * texture.height / (double{d.y} - double{a.y});
  originY = a.y;
  texelTop = double{a.v} * texture.height;
  spanDiffuse = a.diffuse | setup.diffuseOr;

  const double footprint = std::max(std::fabs(texelsPerColumn), std::fabs(texelsPerRow));
  const Filter filter = footprint > kMinificationThreshold ? setup.minFilter : setup.magFilter;
  const double texelLeft = double{a.u} * texture.width;
  if (filter == Filter::Linear) {
    columnTaps.resize(static_cast<size_t>(width));
    for (int32_t k = 0; k < width; ++k) {
      const double s = texelLeft + (left + k - double{a.x}) * texelsPerColumn;
      columnTaps[k] = LinearTexels(s, texture.width);
    }
    DrawLinear(frame, setup, top, bottom);
  } else {
    columnTexels.resize(static_cast<size_t>(width));
    for (int32_t k = 0; k < width; ++k) {
      const double s = texelLeft + (left + k - double{a.x}) * texelsPerColumn;
      columnTexels[k] = PointTexel(s, texture.width);
    }
    DrawPoint(frame, setup, top, bottom);
  }
  return true;
}

void QuadRasteriser::DrawPoint(FrameBuffer& frame, const DrawSetup& setup, int32_t top,
                               int32_t bottom) {
  const TextureView& texture = setup.texture;
  const SpanMode mode{setup.texelOr, spanDiffuse, setup.blend == BlendMode::SourceOver};
  const uint32_t first = columnTexels[0];
  bool consecutive = true;
  for (int32_t k = 0; k < width && consecutive; ++k) consecutive = columnTexels[k] == first + k;

  rowBuffer.resize(static_cast<size_t>(width));
  uint32_t bufferedRow = std::numeric_limits<uint32_t>::max();
  for (int32_t y = top; y < bottom; ++y) {
    const uint32_t row = PointTexel(texelTop + (y - originY) * texelsPerRow, texture.height);
    const uint32_t* texels = texture.texels + static_cast<size_t>(row) * texture.pitch;
    uint32_t* pixels = frame.Row(y) + left;
    if (consecutive) {
      CompositeSpan(pixels, texels + first, width, mode);
      continue;
    }
    if (row != bufferedRow) {
      for (int32_t k = 0; k < width; ++k) rowBuffer[k] = texels[columnTexels[k]];
      bufferedRow = row;
    }
    CompositeSpan(pixels, rowBuffer.data(), width, mode);
  }
}

void QuadRasteriser::DrawLinear(FrameBuffer& frame, const DrawSetup& setup, int32_t top,
                                int32_t bottom) {
  const TextureView& texture = setup.texture;
  const SpanMode mode{setup.texelOr, spanDiffuse, setup.blend == BlendMode::SourceOver};
  rowBuffer.resize(static_cast<size_t>(width));
  LinearTap buffered{std::numeric_limits<uint32_t>::max(), 0, 0};
  for (int32_t y = top; y < bottom; ++y) {
    const LinearTap rows = LinearTexels(texelTop + (y - originY) * texelsPerRow, texture.height);
    if (rows.first != buffered.first || rows.second != buffered.second ||
        rows.weight != buffered.weight) {
      const uint32_t* upper = texture.texels + static_cast<size_t>(rows.first) * texture.pitch;
      const uint32_t* lower = texture.texels + static_cast<size_t>(rows.second) * texture.pitch;
      for (int32_t k = 0; k < width; ++k) {
        const LinearTap& column = columnTaps[k];
        rowBuffer[k] = Bilinear(upper[column.first], upper[column.second], lower[column.first],
                                lower[column.second], column.weight, rows.weight);
      }
      buffered = rows;
    }
    CompositeSpan(frame.Row(y) + left, rowBuffer.data(), width, mode);
  }
}

}  // namespace platform::raster
