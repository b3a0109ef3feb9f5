// The creation operations of IMDialogBase for the standard controls.

#include "engine/gui/Button.h"
#include "engine/gui/DialogBase.h"
#include "engine/gui/StaticPicture.h"
#include "engine/render/TextView.h"
#include "engine/render/TextureView.h"

IMStaticPictureBase<IMTextureView>* IMDialogBase::CreatePicture(int32_t x, int32_t y,
                                                                const std::u16string& texture,
                                                                int32_t layer, uint32_t colour) {
  auto* picture = new IMStaticPictureBase<IMTextureView>(this, layer);
  picture->SetTexture(texture);
  picture->SetRect(picture->GetSourceRect());
  picture->SetPosition(x, y);
  picture->colour = colour;
  picture->IMTextureView::SetDirty(true);
  return picture;
}

IMStaticPictureBase<IMTextView>* IMDialogBase::CreateTextPicture(int32_t x, int32_t y,
                                                                 const std::u16string& text,
                                                                 int32_t layer) {
  auto* picture = new IMStaticPictureBase<IMTextView>(this, layer);
  picture->SetText(text);
  picture->SetRect(picture->GetSourceRect());
  picture->SetPosition(x, y);
  return picture;
}

IMButtonBase<IMStateView>* IMDialogBase::CreateButton(int32_t x, int32_t y,
                                                      const std::u16string& normal,
                                                      const std::u16string& disabled,
                                                      const std::u16string& hover,
                                                      const std::u16string& pressed,
                                                      int32_t layer) {
  auto* button = new IMButtonBase<IMStateView>(this, layer);
  button->SetStates(normal, disabled, hover, pressed);
  button->SetRect(button->GetSourceRect());
  button->SetPosition(x, y);
  return button;
}

IMDialogBase* CreateDialog(IMDialogBase* parent, int32_t x, int32_t y, int32_t width,
                           int32_t height, int32_t layer) {
  return new IMDialogBase(parent, RECT{x, y, x + width, y + height}, layer);
}
