#pragma once
// A static picture: one named texture (IMTextureView) or one piece of text
// shown in a control. Everything it does is IMViewControl's.

#include "engine/gui/ViewControl.h"

template <class V>
class IMStaticPictureBase : public IMViewControl<V> {
 public:
  IMStaticPictureBase(IMDialogBase* parent, int32_t layer) : IMViewControl<V>(parent, layer) {}
};
