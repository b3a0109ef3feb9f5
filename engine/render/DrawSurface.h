#pragma once
// What the control tree and the window need from the renderer: the device
// viewport that clips every container to its visible area, the drawing
// origin that every quad is offset by (the screen position of the top-left
// corner of the container being drawn), and the frame protocol the main
// loop drives (device loss, clear, scene, present, the frame counter).
//
// The renderer installs itself as the current surface when it starts. Until
// one does (and in tests that only look at the traversal), a detached
// surface keeps the same state without drawing anything.

#include <cstdint>

#include "engine/platform/device/DeviceTypes.h"
#include "engine/platform/geometry/Rect.h"

// The device's viewport: the rectangle draws are clipped to.
using IMViewport = platform::Viewport;

class IMDrawSurface {
 public:
  virtual ~IMDrawSurface() = default;

  virtual IMViewport GetViewport() const = 0;
  virtual void SetViewport(const IMViewport& viewport) = 0;
  // (0, 0, width, height) of the back buffer: the default rectangle of a
  // full-screen container.
  virtual RECT ScreenRect() const = 0;

  // Whether the device is known to be lost, without asking it again.
  virtual bool IsDeviceLost() const = 0;
  // Asks the device; once lost it stays lost until RestoreDevice succeeds.
  virtual bool CheckDeviceLost() = 0;
  // true when the device is usable again.
  virtual bool RestoreDevice() = 0;
  virtual void Clear(uint32_t argb) = 0;
  virtual void BeginScene() = 0;
  virtual void EndScene() = 0;
  virtual void Present() = 0;

  int32_t drawOriginX = 0;
  int32_t drawOriginY = 0;
  // Passes of the main loop that presented a frame or had nothing to draw.
  uint32_t frameCount = 0;
};

// Keeps the viewport it is given and draws nothing; its device is never
// lost. The screen is the program's 800 x 600.
class IMDetachedDrawSurface : public IMDrawSurface {
 public:
  static constexpr int32_t kScreenWidth = 800;
  static constexpr int32_t kScreenHeight = 600;

  IMViewport GetViewport() const override { return viewport; }
  void SetViewport(const IMViewport& v) override { viewport = v; }
  RECT ScreenRect() const override { return RECT{0, 0, kScreenWidth, kScreenHeight}; }
  bool IsDeviceLost() const override { return false; }
  bool CheckDeviceLost() override { return false; }
  bool RestoreDevice() override { return true; }
  void Clear(uint32_t) override {}
  void BeginScene() override {}
  void EndScene() override {}
  void Present() override {}

 private:
  IMViewport viewport{0, 0, kScreenWidth, kScreenHeight, 0.0f, 1.0f};
};

// The surface the tree draws on: the one installed last, or a detached one.
IMDrawSurface& CurrentDrawSurface();
// Installs `surface` (not owned); null goes back to the detached surface.
void SetCurrentDrawSurface(IMDrawSurface* surface);
