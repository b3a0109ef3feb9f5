#include "engine/render/TextureView.h"

#include <cmath>

#include "engine/res/ResourceManager.h"

IMTextureView::~IMTextureView() { Clear(); }

void IMTextureView::Clear() {
  if (hasTexture && engineInstance) engineInstance->ReleaseTexture(texture);
  hasTexture = false;
  texture = 0;
}

void IMTextureView::Adopt(uint32_t handle) {
  IMTextureEntry* entry = engineInstance->Entry(handle);
  if (!entry) {
    // Showing nothing is better than holding a handle that names no
    // entry: a later texture could take that handle and be released by
    // this view without ever having been referenced by it.
    if (hasTexture) {
      Clear();
      dirty = true;
    }
    return;
  }
  engineInstance->AddRefTexture(handle);
  if (hasTexture) engineInstance->ReleaseTexture(texture);
  texture = handle;
  hasTexture = true;
  SetSourceRect(entry->imageRect);
  dirty = true;
}

void IMTextureView::SetTexture(const std::u16string& name) {
  if (!engineInstance) return;
  const uint32_t loaded = engineInstance->LoadTexture(name);
  if (loaded != texture || !hasTexture) Adopt(loaded);
  engineInstance->ReleaseTexture(loaded);
}

void IMTextureView::SetTextureHandle(uint32_t handle) {
  if (!engineInstance || (handle == texture && hasTexture)) return;
  Adopt(handle);
}

void IMTextureView::Draw() {
  if (hasTexture && engineInstance) {
    const RECT source = GetSourceRect();
    engineInstance->DrawTexture(texture, GetRect(), &source, colour, angle);
  }
  dirty = false;
}

bool IMTextureView::HitTest(POINT p) {
  if (!hasTexture || !engineInstance) return false;
  const RECT d = GetRect();
  const RECT s = GetSourceRect();
  const int32_t width = d.right - d.left;
  const int32_t height = d.bottom - d.top;
  if (width <= 0 || height <= 0) return false;
  const int32_t cx = d.left + width / 2;
  const int32_t cy = d.top + height / 2;
  const double c = std::cos(-static_cast<double>(angle));
  const double sn = std::sin(-static_cast<double>(angle));
  const auto x = static_cast<int32_t>(cx + c * (p.x - cx) - sn * (p.y - cy));
  const auto y = static_cast<int32_t>(cy + sn * (p.x - cx) + c * (p.y - cy));
  if (!PtInRect(d, POINT{x, y})) return false;
  // The texel under the point, counted from the source rectangle's own
  // corner so that a picture cut from a larger image is tested where it is.
  const int64_t tx = s.left + int64_t{s.right - s.left} * (x - d.left) / width;
  const int64_t ty = s.top + int64_t{s.bottom - s.top} * (y - d.top) / height;
  if (!PtInRect(s, POINT{static_cast<int32_t>(tx), static_cast<int32_t>(ty)})) return false;
  const auto alpha =
      engineInstance->CpuAlphaAt(texture, static_cast<int32_t>(tx), static_cast<int32_t>(ty));
  if (!alpha) return false;
  const int32_t tintAlpha = static_cast<int32_t>(colour >> 24) / 255;
  return tintAlpha * *alpha >= alphaThreshold;
}
