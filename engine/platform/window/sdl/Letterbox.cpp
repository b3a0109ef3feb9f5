#include "engine/platform/window/sdl/Letterbox.h"

#include <algorithm>

namespace platform {

namespace {

// Integer division rounding towards minus infinity; `b` is positive.
// Positions left of or above the picture are negative, and they must fall
// into the client pixel before 0, not into pixel 0.
int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }
int64_t RoundDiv(int64_t a, int64_t b) { return FloorDiv(2 * a + b, 2 * b); }

int32_t Narrow(int64_t v) { return static_cast<int32_t>(v); }

// The client pixel that `offset` pixels into a picture of `picture` pixels
// showing `client` pixels falls on.
int32_t ToClient(int64_t offset, int64_t picture, int64_t client) {
  return Narrow(FloorDiv(offset * client, picture));
}

// The middle one of the picture pixels showing client pixel `c`: they run
// from ceil(c * scale) up to, not including, ceil((c + 1) * scale). When
// the picture is shrunk the run can be empty; its first pixel is then the
// nearest there is.
int64_t ToPicture(int64_t c, int64_t picture, int64_t client) {
  const int64_t first = CeilDiv(c * picture, client);
  const int64_t last = CeilDiv((c + 1) * picture, client) - 1;
  return last > first ? FloorDiv(first + last, 2) : first;
}

}  // namespace

Letterbox::Letterbox() : Letterbox(800, 600, RECT{0, 0, 800, 600}) {}

Letterbox::Letterbox(int32_t clientWidth, int32_t clientHeight, RECT window)
    : window_(window),
      clientWidth_(std::max<int32_t>(1, clientWidth)),
      clientHeight_(std::max<int32_t>(1, clientHeight)) {
  const int64_t width = window.right - window.left;
  const int64_t height = window.bottom - window.top;
  // The scale is the window's width over the client's, or its height over
  // the client's, whichever is smaller; compared without dividing.
  int64_t numerator = 1;
  int64_t denominator = 1;
  if (width > 0 && height > 0) {
    if (width * clientHeight_ <= height * clientWidth_) {
      numerator = width;
      denominator = clientWidth_;
    } else {
      numerator = height;
      denominator = clientHeight_;
    }
  }
  // Never narrower than a pixel, so that every mapping can divide by it.
  const int64_t pictureWidth =
      std::max<int64_t>(1, RoundDiv(int64_t{clientWidth_} * numerator, denominator));
  const int64_t pictureHeight =
      std::max<int64_t>(1, RoundDiv(int64_t{clientHeight_} * numerator, denominator));
  const int64_t left = width > 0 ? (width - pictureWidth) / 2 : 0;
  const int64_t top = height > 0 ? (height - pictureHeight) / 2 : 0;
  picture_ =
      RECT{Narrow(left), Narrow(top), Narrow(left + pictureWidth), Narrow(top + pictureHeight)};
  origin_ = POINT{Narrow(RoundDiv((window.left + left) * clientWidth_, pictureWidth)),
                  Narrow(RoundDiv((window.top + top) * clientHeight_, pictureHeight))};
}

double Letterbox::Scale() const {
  return static_cast<double>(picture_.right - picture_.left) / clientWidth_;
}

POINT Letterbox::WindowToClient(POINT window) const {
  return POINT{
      ToClient(int64_t{window.x} - picture_.left, picture_.right - picture_.left, clientWidth_),
      ToClient(int64_t{window.y} - picture_.top, picture_.bottom - picture_.top, clientHeight_)};
}

POINT Letterbox::ClientToWindow(POINT client) const {
  return POINT{
      Narrow(picture_.left + ToPicture(client.x, picture_.right - picture_.left, clientWidth_)),
      Narrow(picture_.top + ToPicture(client.y, picture_.bottom - picture_.top, clientHeight_))};
}

POINT Letterbox::ClientToScreen(POINT client) const {
  return POINT{client.x + origin_.x, client.y + origin_.y};
}

POINT Letterbox::ScreenToClient(POINT screen) const {
  return POINT{screen.x - origin_.x, screen.y - origin_.y};
}

POINT Letterbox::DisplayToScreen(POINT display) const {
  return ClientToScreen(WindowToClient(POINT{display.x - window_.left, display.y - window_.top}));
}

POINT Letterbox::ScreenToDisplay(POINT screen) const {
  const POINT window = ClientToWindow(ScreenToClient(screen));
  return POINT{window.x + window_.left, window.y + window_.top};
}

}  // namespace platform
