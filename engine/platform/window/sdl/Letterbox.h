#pragma once
// Where the client picture sits inside the real window, and the three
// coordinate systems the SDL backend converts between:
//
//   window pixels   real pixels counted from the window's top-left;
//   client pixels   the fixed client area (800 x 600), as Window.h defines;
//   screen pixels   client pixels counted from the display's top-left, so
//                   screen = client + ClientOrigin().
//
// The picture is scaled by one factor so that it fits the window, centred,
// and whatever is left over on two sides is a black bar. The picture's
// size is rounded to whole pixels, and the mapping is that of the rounded
// rectangle, which is what is really drawn. All arithmetic is done on exact
// integer ratios, so that a client point taken to a window pixel and back
// is the same point whenever the picture is not shrunk.

#include <cstdint>

#include "engine/platform/geometry/Rect.h"

namespace platform {

class Letterbox {
 public:
  // A window of 800 x 600 at the display's top-left: every mapping is the
  // identity.
  Letterbox();
  // `window` is the window's real rectangle in display pixels (counted from
  // the top-left of the display it is on). An empty window (a minimised
  // one reports 0 x 0) keeps the scale 1, so that positions stay finite.
  Letterbox(int32_t clientWidth, int32_t clientHeight, RECT window);

  // Window pixels per client pixel, across. (Down it differs only by what
  // rounding the picture's height to whole pixels makes.)
  double Scale() const;
  // The rectangle the picture is drawn into, in window pixels.
  RECT Picture() const { return picture_; }
  RECT Window() const { return window_; }

  // The client pixel that a window pixel shows. Points over the bars, or
  // outside the window, give client points outside the client area
  // (negative or beyond its size), as a captured pointer needs.
  POINT WindowToClient(POINT window) const;
  // A window pixel that shows the client pixel: the middle one of the run
  // of window pixels showing it, so WindowToClient gives `client` back.
  POINT ClientToWindow(POINT client) const;

  // ClientToScreen(0, 0): the picture's top-left in display pixels, divided
  // by the scale and rounded to the nearest pixel.
  POINT ClientOrigin() const { return origin_; }
  POINT ClientToScreen(POINT client) const;
  POINT ScreenToClient(POINT screen) const;

  // A real pointer position (display pixels) as a screen point, and back.
  // Both go through the client mapping, so that a position read with one
  // agrees exactly with the client point a mouse message carries.
  POINT DisplayToScreen(POINT display) const;
  POINT ScreenToDisplay(POINT screen) const;

 private:
  RECT window_;
  int32_t clientWidth_;
  int32_t clientHeight_;
  RECT picture_;
  POINT origin_;
};

}  // namespace platform
