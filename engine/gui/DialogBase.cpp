#include "engine/gui/DialogBase.h"

#include <algorithm>

#include "engine/platform/window/Messages.h"
#include "engine/render/DrawSurface.h"

IMDialogBase::IMDialogBase(IMDialogBase* parent, std::optional<RECT> rect, int32_t layer)
    : IMViewControl<IMEmptyView>(parent, layer) {
  canFocus = true;
  SetRect(rect.value_or(CurrentDrawSurface().ScreenRect()));
}

IMDialogBase::~IMDialogBase() { DeleteChildren(); }

void IMDialogBase::DeleteChildren() {
  FlushRemovals();
  hovered = nullptr;
  focusedChild = nullptr;
  auto deleteAll = [](std::map<int32_t, std::vector<IMControl*>>& collection) {
    auto taken = std::move(collection);
    collection.clear();
    for (auto& [layer, children] : taken) {
      for (IMControl* child : children) delete child;
    }
  };
  deleteAll(layers);
  deleteAll(pendingAdds);
}

template <class Fn>
void IMDialogBase::ForEachLiveChild(Fn fn) const {
  for (const auto& [layer, children] : layers) {
    for (IMControl* child : children) fn(child);
  }
}

bool IMDialogBase::IsLive(IMControl* child) const {
  for (const auto& [layer, children] : layers) {
    if (std::find(children.begin(), children.end(), child) != children.end()) return true;
  }
  return false;
}

bool IMDialogBase::IsQueuedForRemoval(IMControl* child) const {
  return std::find(pendingRemovals.begin(), pendingRemovals.end(), child) !=
         pendingRemovals.end();
}

void IMDialogBase::AddChild(IMControl* child, int32_t layer) {
  if (IsLive(child)) return;
  pendingAdds[layer].push_back(child);
  child->ConnectFocusGained(boost::bind(&IMDialogBase::TrackFocus, this, boost::placeholders::_1));
  child->ConnectFocusLost(boost::bind(&IMDialogBase::TrackFocus, this, boost::placeholders::_1));
  SetDirty(true);
}

void IMDialogBase::RemoveChild(IMControl* child) {
  if (IsLive(child) && !IsQueuedForRemoval(child)) {
    pendingRemovals.push_back(child);
    SetDirty(true);
  }
  for (auto it = pendingAdds.begin(); it != pendingAdds.end(); ++it) {
    auto& children = it->second;
    auto found = std::find(children.begin(), children.end(), child);
    if (found == children.end()) continue;
    children.erase(found);
    if (children.empty()) pendingAdds.erase(it);
    delete child;
    return;
  }
}

void IMDialogBase::FlushRemovals() {
  while (!pendingRemovals.empty()) {
    IMControl* child = pendingRemovals.back();
    pendingRemovals.pop_back();
    auto layer = layers.find(GetLayer(child));
    if (layer != layers.end()) {
      auto& children = layer->second;
      children.erase(std::remove(children.begin(), children.end(), child), children.end());
      if (children.empty()) layers.erase(layer);
    }
    if (hovered == child) hovered = nullptr;
    if (focusedChild == child) focusedChild = nullptr;
    delete child;  // flushes the child's own queue in turn
  }
}

int32_t IMDialogBase::GetLayer(IMControl* child) const {
  for (const auto& [layer, children] : layers) {
    if (std::find(children.begin(), children.end(), child) != children.end()) return layer;
  }
  return 0;
}

void IMDialogBase::SetDirty(bool dirty) {
  IMViewControl<IMEmptyView>::SetDirty(dirty);
  if (!dirty) ForEachLiveChild([](IMControl* child) { child->SetDirty(false); });
}

bool IMDialogBase::IsDirty() const {
  if (dirty) return true;
  for (const auto& [layer, children] : layers) {
    for (IMControl* child : children) {
      if (child->IsDirty()) return true;
    }
  }
  return false;
}

IMControl* IMDialogBase::TopmostChildAt(int32_t x, int32_t y) const {
  for (auto layer = layers.rbegin(); layer != layers.rend(); ++layer) {
    const auto& children = layer->second;
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
      if ((*child)->HitTest(x, y)) return *child;
    }
  }
  return nullptr;
}

void IMDialogBase::UpdateHover(const IMMouseEvent& e) {
  IMControl* asking = e.source;
  if (asking != this && !asking->HitTest(e.x, e.y) && asking != hovered) return;

  IMControl* previous = hovered;
  IMControl* found = TopmostChildAt(e.x, e.y);
  if (found && found != hovered) {
    hovered = found;
    found->OnMouseEnter(IMMouseEvent(this, kEventMouseEnter, e.wParam, e.x, e.y));
  }
  if (previous && previous != found) {
    hovered = found;
    previous->OnMouseLeave(IMMouseEvent(this, kEventMouseLeave, e.wParam, e.x, e.y));
  }
}

IMMouseEvent IMDialogBase::ToLocal(const IMMouseEvent& e) {
  const RECT r = GetRect();
  return IMMouseEvent(this, e.type, e.wParam, e.x - r.left, e.y - r.top);
}

void IMDialogBase::OnMouseMove(const IMMouseEvent& e) {
  IMControl::OnMouseMove(e);
  const IMMouseEvent local = ToLocal(e);
  lastMouseX = local.x;
  lastMouseY = local.y;
  UpdateHover(local);
  if (hovered) hovered->OnMouseMove(local);
}

void IMDialogBase::OnMouseButton(const IMMouseEvent& e) {
  IMControl::OnMouseButton(e);
  if (!hovered) return;
  if (e.Is(WM_LBUTTONDOWN) && hovered != focusedChild && hovered->CanFocus()) {
    if (focusedChild) focusedChild->SetFocus(false);
    hovered->SetFocus(true);
  }
  // The hovered child may have changed in a focus handler.
  if (hovered) hovered->OnMouseButton(ToLocal(e));
}

void IMDialogBase::OnMouseLeave(const IMMouseEvent& e) {
  IMControl::OnMouseLeave(e);
  if (hovered) hovered->OnMouseLeave(e);
  hovered = nullptr;
}

void IMDialogBase::OnKeyboard(const IMKeyboardEvent& e) {
  IMControl::OnKeyboard(e);
  if (focusedChild) focusedChild->OnKeyboard(e);
}

void IMDialogBase::Update(const IMEvent& e) {
  FlushRemovals();
  for (auto& [layer, children] : pendingAdds) {
    auto& live = layers[layer];
    live.insert(live.end(), children.begin(), children.end());
  }
  pendingAdds.clear();
  OnUpdate();
  EmitSignal(Updated, IMEvent(this, kEventUpdate));
  const IMEvent down(e.source, e.type);
  ForEachLiveChild([&down](IMControl* child) { child->Update(down); });
  FlushRemovals();
}

namespace {
RECT ViewportRect(const IMViewport& v) {
  return RECT{static_cast<int32_t>(v.X), static_cast<int32_t>(v.Y),
              static_cast<int32_t>(v.X + v.Width), static_cast<int32_t>(v.Y + v.Height)};
}

IMViewport RectViewport(const RECT& r) {
  return IMViewport{static_cast<uint32_t>(r.left), static_cast<uint32_t>(r.top),
                    static_cast<uint32_t>(r.right - r.left),
                    static_cast<uint32_t>(r.bottom - r.top), 0.0f, 1.0f};
}
}  // namespace

void IMDialogBase::Draw(const IMEvent& e) {
  if (!hidden) {
    IMDrawSurface& surface = CurrentDrawSurface();
    const IMViewport saved = surface.GetViewport();
    const int32_t ox = surface.drawOriginX;
    const int32_t oy = surface.drawOriginY;
    const RECT r = GetRect();
    // The viewport is the part of the screen every ancestor leaves visible;
    // a container outside it draws nothing at all.
    const RECT visible = IntersectRect(OffsetRect(r, ox, oy), ViewportRect(saved));
    if (!IsRectEmpty(visible)) {
      surface.SetViewport(RectViewport(visible));
      surface.drawOriginX = ox + r.left;
      surface.drawOriginY = oy + r.top;
      const IMEvent down(e.source, e.type);
      ForEachLiveChild([&down](IMControl* child) { child->Draw(down); });
      surface.drawOriginX = ox;
      surface.drawOriginY = oy;
      surface.SetViewport(saved);
      DrawView();
      SetDirty(false);
      EmitSignal(Drawn, IMEvent(this, kEventDraw));
    }
  }
  SetDirty(false);
}

long IMDialogBase::OnClose(const IMEvent& e) {
  ForEachLiveChild([&e](IMControl* child) { child->OnClose(e); });
  Destroy();
  return 0;
}

void IMDialogBase::OnKillFocus(const IMEvent& e) {
  IMControl::OnKillFocus(e);
  focusedChild = nullptr;
  ForEachLiveChild([&e](IMControl* child) { child->OnKillFocus(e); });
}

long IMDialogBase::TrackFocus(const IMEvent& f) {
  if (f.Is(kEventFocusGained) && f.source != focusedChild) {
    SetFocus(true);
    if (focusedChild) focusedChild->SetFocus(false);
    focusedChild = f.source;
  } else if (f.Is(kEventFocusLost) && f.source == focusedChild) {
    focusedChild = nullptr;
  }
  return 1;
}
