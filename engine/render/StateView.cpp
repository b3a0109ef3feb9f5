#include "engine/render/StateView.h"

void IMStateView::SetStates(const std::u16string& normal, const std::u16string& disabled,
                            const std::u16string& hover, const std::u16string& pressed) {
  stateTextures[0] = normal;
  stateTextures[1] = disabled.empty() ? normal : disabled;
  stateTextures[3] = hover.empty() ? normal : hover;
  stateTextures[4] = pressed.empty() ? normal : pressed;
  SetTexture(stateTextures[state]);
}
