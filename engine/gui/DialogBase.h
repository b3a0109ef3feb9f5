#pragma once
// IMDialogBase, the container of the control tree. It owns its children,
// sorted into integer layers (ascending layer order is drawing order, and
// within a layer later children draw over earlier ones), routes mouse and
// keyboard input to them, remembers the child under the mouse and the child
// holding the keyboard focus, and drives the update and draw traversals of
// its subtree.
//
// Children never enter or leave `layers` while the tree is traversed: new
// ones wait in `pendingAdds` until the next Update, destroyed ones wait in
// `pendingRemovals` until the next flush, which deletes them.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/gui/ViewControl.h"

template <class V>
class IMStaticPictureBase;
template <class V>
class IMButtonBase;
class IMTextureView;
class IMTextView;
class IMStateView;

class IMDialogBase : public IMViewControl<IMEmptyView> {
 public:
  // Without a rectangle the container covers the whole screen.
  IMDialogBase(IMDialogBase* parent, std::optional<RECT> rect = std::nullopt, int32_t layer = 0);
  // Deletes every child it still owns: those waiting for the flush, the
  // live ones and those not yet live, so that no subtree outlives its
  // container even when it was not closed first.
  ~IMDialogBase() override;

  void SetDirty(bool dirty) override;
  bool IsDirty() const override;
  void OnMouseMove(const IMMouseEvent& e) override;
  void OnMouseButton(const IMMouseEvent& e) override;
  void OnMouseLeave(const IMMouseEvent& e) override;
  void OnKeyboard(const IMKeyboardEvent& e) override;
  void Draw(const IMEvent& e) override;
  void Update(const IMEvent& e) override;
  long OnClose(const IMEvent& e) override;
  void OnKillFocus(const IMEvent& e) override;

  // Called by a child's constructor. A child already live is ignored.
  void AddChild(IMControl* child, int32_t layer);
  // Called by a child's Destroy. A live child is queued once for the next
  // flush; a child that never became live is deleted at once.
  void RemoveChild(IMControl* child);
  // Deletes the queued children, the last queued first.
  void FlushRemovals();
  // The layer of a live child; 0 for a child that is not live.
  int32_t GetLayer(IMControl* child) const;
  // Re-checks which child is under the point (x, y) of `e`, in this
  // container's coordinates, sending enter to the new child before leave to
  // the old one. `e.source` is the control that asks: this container after
  // a mouse move, or a child whose look changed.
  void UpdateHover(const IMMouseEvent& e);

  // Creation of the standard controls in this container; each becomes live
  // at the container's next Update.
  //
  // A picture of the named texture, sized to its image, its top-left
  // corner at (x, y), tinted by `colour` (0xFFFFFFFF shows it unchanged).
  IMStaticPictureBase<IMTextureView>* CreatePicture(int32_t x, int32_t y,
                                                    const std::u16string& texture, int32_t layer,
                                                    uint32_t colour = 0xFFFFFFFFu);
  // A label showing `text` in the text view's default style, sized to the
  // text, its top-left corner at (x, y).
  IMStaticPictureBase<IMTextView>* CreateTextPicture(int32_t x, int32_t y,
                                                     const std::u16string& text, int32_t layer);
  // A button with a picture per state, sized to the normal picture. An
  // empty disabled, hover or pressed name falls back to the normal one.
  IMButtonBase<IMStateView>* CreateButton(int32_t x, int32_t y, const std::u16string& normal,
                                          const std::u16string& disabled,
                                          const std::u16string& hover,
                                          const std::u16string& pressed, int32_t layer);

  IMControl* GetHovered() const { return hovered; }
  IMControl* GetFocusedChild() const { return focusedChild; }
  int32_t GetLastMouseX() const { return lastMouseX; }
  int32_t GetLastMouseY() const { return lastMouseY; }
  // Live children, layer by layer.
  const std::map<int32_t, std::vector<IMControl*>>& GetLayers() const { return layers; }

 protected:
  // Deletes every child: the queued ones first, then the live and the
  // pending ones.
  void DeleteChildren();

 private:
  bool IsLive(IMControl* child) const;
  bool IsQueuedForRemoval(IMControl* child) const;
  IMControl* TopmostChildAt(int32_t x, int32_t y) const;
  IMMouseEvent ToLocal(const IMMouseEvent& e);
  // Connected to every child's FocusGained and FocusLost: keeps
  // `focusedChild` pointing along the focus chain.
  long TrackFocus(const IMEvent& f);
  template <class Fn>
  void ForEachLiveChild(Fn fn) const;

  std::map<int32_t, std::vector<IMControl*>> layers;
  std::map<int32_t, std::vector<IMControl*>> pendingAdds;
  std::vector<IMControl*> pendingRemovals;
  IMControl* hovered = nullptr;
  IMControl* focusedChild = nullptr;
  int32_t lastMouseX = 0;
  int32_t lastMouseY = 0;
};

// A container in `parent` covering (x, y) to (x + width, y + height).
IMDialogBase* CreateDialog(IMDialogBase* parent, int32_t x, int32_t y, int32_t width,
                           int32_t height, int32_t layer);
