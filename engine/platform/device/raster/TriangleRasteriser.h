#pragma once
// The general path: one triangle of transformed vertices, any shape and
// either winding (rotated quads, fans that are not upright rectangles, any
// write mask or blend factors).
//
// Coverage follows the top-left rule on pixel centres (whole coordinates):
// a centre exactly on an edge belongs to the triangle when the edge is a
// top or a left edge, so two triangles sharing an edge never both draw a
// pixel of it and never both miss one. The edge tests are exact (integer
// centres against float vertices, evaluated in double precision). Each row
// is scanned only across the span the edges leave open.
//
// Texture coordinates and Gouraud colours are interpolated linearly in
// screen space (rhw is taken as 1).

#include <cstdint>

#include "engine/platform/device/DeviceTypes.h"
#include "engine/platform/device/raster/DrawSetup.h"
#include "engine/platform/device/raster/FrameBuffer.h"

namespace platform::raster {

// Draws the triangle (v0, v1, v2) unless its winding is culled or it has no
// area. Under flat shading every pixel takes `flatColour` as its diffuse.
void DrawTriangle(FrameBuffer& frame, const TransformedVertex& v0, const TransformedVertex& v1,
                  const TransformedVertex& v2, uint32_t flatColour, const DrawSetup& setup);

}  // namespace platform::raster
