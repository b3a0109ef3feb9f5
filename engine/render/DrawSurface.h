#pragma once
// What the control tree needs from the renderer while it draws: the device
// viewport that clips every container to its visible area, and the drawing
// origin that every quad is offset by (the screen position of the top-left
// corner of the container being drawn).
//
// The renderer installs itself as the current surface when it starts. Until
// one does (and in tests that only look at the traversal), a detached
// surface keeps the same state without drawing anything.

#include <cstdint>

#include "engine/platform/geometry/Rect.h"

struct IMViewport {
  uint32_t X = 0;
  uint32_t Y = 0;
  uint32_t Width = 0;
  uint32_t Height = 0;
  float MinZ = 0.0f;
  float MaxZ = 1.0f;

  friend bool operator==(const IMViewport&, const IMViewport&) = default;
};

class IMDrawSurface {
 public:
  virtual ~IMDrawSurface() = default;

  virtual IMViewport GetViewport() const = 0;
  virtual void SetViewport(const IMViewport& viewport) = 0;
  // (0, 0, width, height) of the back buffer: the default rectangle of a
  // full-screen container.
  virtual RECT ScreenRect() const = 0;

  int32_t drawOriginX = 0;
  int32_t drawOriginY = 0;
};

// Keeps the viewport it is given; the screen is the program's 800 x 600.
class IMDetachedDrawSurface : public IMDrawSurface {
 public:
  static constexpr int32_t kScreenWidth = 800;
  static constexpr int32_t kScreenHeight = 600;

  IMViewport GetViewport() const override { return viewport; }
  void SetViewport(const IMViewport& v) override { viewport = v; }
  RECT ScreenRect() const override { return RECT{0, 0, kScreenWidth, kScreenHeight}; }

 private:
  IMViewport viewport{0, 0, kScreenWidth, kScreenHeight, 0.0f, 1.0f};
};

// The surface the tree draws on: the one installed last, or a detached one.
IMDrawSurface& CurrentDrawSurface();
// Installs `surface` (not owned); null goes back to the detached surface.
void SetCurrentDrawSurface(IMDrawSurface* surface);
