#pragma once
// The view of a picture: a texture from the registry, drawn into the
// view's rectangle, tinted by `colour` and turned by `angle`, and hit only
// where the picture itself is solid enough.
//
// The view holds one reference to its texture while `hasTexture` is set
// and gives it back when it shows another picture or is destroyed.

#include <cstdint>
#include <string>

#include "engine/render/View.h"

class IMTextureView : public IMView {
 public:
  IMTextureView() = default;
  ~IMTextureView() override;

  // Shows the texture of that name, loading it on first use. The same
  // texture again changes nothing. A name that gives no texture leaves the
  // view empty (it draws nothing and holds nothing).
  void SetTexture(const std::u16string& name);
  // The same for a handle the caller already holds a reference to; the
  // view takes its own.
  void SetTextureHandle(uint32_t handle);

  void Draw() override;
  // The point (parent coordinates) turned back by the angle about the
  // rectangle's centre must fall on a texel whose alpha, weighed by the
  // tint's alpha, reaches alphaThreshold. With a translucent tint nothing
  // is hit unless the threshold is 0 or below.
  bool HitTest(POINT p) override;

  // An owner may change these and then mark the view dirty.
  uint32_t texture = 0;  // meaningful only while hasTexture is set
  uint32_t colour = 0xFFFFFFFFu;
  float angle = 0.0f;
  int32_t alphaThreshold = 255;
  bool hasTexture = false;

 private:
  // Takes a reference on `handle`, gives back the old one and shows the
  // whole image.
  void Adopt(uint32_t handle);
  void Clear();
};
