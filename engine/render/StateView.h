#pragma once
// The view of a button: one picture per state key (0 normal, 1 disabled,
// 3 under the mouse, 4 under the mouse and pressed).

#include <map>
#include <string>

#include "engine/render/TextureView.h"

class IMStateView : public IMTextureView {
 public:
  // An empty disabled, hover or pressed name falls back to the normal
  // picture. Shows the picture of the current state.
  void SetStates(const std::u16string& normal, const std::u16string& disabled,
                 const std::u16string& hover, const std::u16string& pressed);

  int32_t state = 0;
  std::map<int32_t, std::u16string> stateTextures;
};
