#pragma once
// The fast path: a fan of four vertices that is an upright rectangle on
// screen, with texture coordinates that follow its axes and one diffuse
// colour. That is every quad the engine draws without rotation, 1:1 or
// stretched, so whole screens go through here.
//
// The rectangle covers the pixels whose centres (whole coordinates) lie in
// [left, right) x [top, bottom) of its vertex positions. Each column and
// each row is mapped to texels once per draw; a row whose columns map to
// consecutive texels is composited straight from the texture, any other
// is first gathered (point) or filtered (linear) into a row buffer, which
// is kept for the next row when that maps to the same texels.

#include <cstdint>
#include <vector>

#include "engine/platform/device/DeviceTypes.h"
#include "engine/platform/device/raster/DrawSetup.h"
#include "engine/platform/device/raster/FrameBuffer.h"
#include "engine/platform/device/raster/TexelAddress.h"

namespace platform::raster {

class QuadRasteriser {
 public:
  // Draws the fan when it is such a rectangle, wound clockwise (left, top
  // first), and the setup is one the fast path covers (all channels
  // written, the source replacing the frame or blended over it by its
  // alpha): true. Otherwise touches nothing and returns false, and the
  // caller draws the fan as triangles.
  bool Draw(FrameBuffer& frame, const TransformedVertex (&fan)[4], const DrawSetup& setup);

 private:
  void DrawPoint(FrameBuffer& frame, const DrawSetup& setup, int32_t top, int32_t bottom);
  void DrawLinear(FrameBuffer& frame, const DrawSetup& setup, int32_t top, int32_t bottom);

  // Per draw: the covered columns and how they and the rows map to texels.
  int32_t left = 0;
  int32_t width = 0;
  double originY = 0.0;   // y of the top edge
  double texelTop = 0.0;  // v x texture height at the top edge
  double texelsPerRow = 0.0;
  uint32_t spanDiffuse = 0;
  std::vector<uint32_t> columnTexels;
  std::vector<LinearTap> columnTaps;
  std::vector<uint32_t> rowBuffer;
};

}  // namespace platform::raster
