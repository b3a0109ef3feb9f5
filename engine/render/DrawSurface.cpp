#include "engine/render/DrawSurface.h"

namespace {
IMDrawSurface* installedSurface = nullptr;

IMDrawSurface& DetachedSurface() {
  static IMDetachedDrawSurface surface;
  return surface;
}
}  // namespace

IMDrawSurface& CurrentDrawSurface() {
  return installedSurface ? *installedSurface : DetachedSurface();
}

void SetCurrentDrawSurface(IMDrawSurface* surface) { installedSurface = surface; }
