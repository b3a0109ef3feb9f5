#pragma once
// A push button: a picture per state (normal, disabled, under the mouse,
// pressed) that follows the control's flags. The application hears the
// button through its Clicked signal.

#include "engine/gui/ViewControl.h"
#include "engine/render/StateView.h"

template <class V = IMStateView>
class IMButtonBase : public IMViewControl<V> {
 public:
  // State keys of the view.
  static constexpr int32_t kNormal = 0;
  static constexpr int32_t kDisabled = 1;
  static constexpr int32_t kHover = 3;
  static constexpr int32_t kPressed = 4;

  IMButtonBase(IMDialogBase* parent, int32_t layer) : IMViewControl<V>(parent, layer) {
    const auto refresh = boost::bind(&IMButtonBase::RefreshState, this);
    this->ConnectMouseButton(refresh);
    this->ConnectMouseEntered(refresh);
    this->ConnectMouseLeft(refresh);
    this->ConnectDisabled(refresh);
    this->ConnectEnabled(refresh);
    this->ConnectHidden(refresh);
    this->ConnectShown(refresh);
  }

  // Disabled, Enabled and Shown are emitted before the flag changes, so
  // the picture is brought up to date once more afterwards. (Without that
  // a button hidden while hovered would come back showing its hover
  // picture.)
  void Disable() override {
    IMViewControl<V>::Disable();
    RefreshState();
  }
  void Enable() override {
    IMViewControl<V>::Enable();
    RefreshState();
  }
  void Show() override {
    IMViewControl<V>::Show();
    RefreshState();
  }

  // Shows the picture of the state the flags give; nothing while hidden.
  virtual long RefreshState() {
    if (this->IsHidden()) return 0;
    int32_t key = kNormal;
    if (!this->IsEnabled()) {
      key = kDisabled;
    } else if (this->IsMouseOver()) {
      key = this->IsPressed() ? kPressed : kHover;
    }
    if (key != V::state) {
      V::SetTexture(V::stateTextures[key]);
      V::state = key;
    }
    return 0;
  }
};
