#pragma once
// The reward's cloud, "oblako_png": 506 x 350 with alpha, a pale cyan body
// (237, 255, 253) around a transparent window over columns 94 - 407 and
// rows 80 - 275. The cartoon's view lies at (93, 76) in the cloud's
// coordinates, 320 x 200, so the opaque rim covers its outer column on the
// left, five on the right and four rows at the top.

#include <cairo.h>

namespace cartoons {

constexpr int kCloudWidth = 506;
constexpr int kCloudHeight = 350;
constexpr int kWindowLeft = 94;    // first transparent column
constexpr int kWindowRight = 408;  // first opaque column after the window
constexpr int kWindowTop = 80;
constexpr int kWindowBottom = 276;

// A new ARGB32 surface holding the cloud; the caller destroys it.
cairo_surface_t* DrawCloud();

}  // namespace cartoons
