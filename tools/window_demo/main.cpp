// A look at the window and the main loop on a real desktop, before the
// renderer exists: a few coloured rectangles, lighter under the pointer,
// changing colour when clicked, inside a container that clips them. Esc or
// the window's close button ends it. "--windowed" opens an 800 x 600 window
// instead of the full screen.

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/gui/MainWindow.h"
#include "engine/platform/window/VirtualKeys.h"
#include "engine/render/DrawSurface.h"

namespace {

// An 800 x 600 frame buffer that rectangles are filled into.
class FillSurface : public IMDetachedDrawSurface {
 public:
  FillSurface() : pixels(kScreenWidth * kScreenHeight) {}

  void Clear(uint32_t argb) override { std::fill(pixels.begin(), pixels.end(), argb); }
  void Present() override {
    platform::CurrentWindowBackend().Present(reinterpret_cast<const uint8_t*>(pixels.data()),
                                             kScreenWidth, kScreenHeight, kScreenWidth * 4);
  }
  // Fills r (relative to the drawing origin), clipped by the viewport.
  void Fill(const RECT& r, uint32_t argb) {
    const IMViewport v = GetViewport();
    const RECT clip{static_cast<int32_t>(v.X), static_cast<int32_t>(v.Y),
                    static_cast<int32_t>(v.X + v.Width), static_cast<int32_t>(v.Y + v.Height)};
    const RECT area = IntersectRect(OffsetRect(r, drawOriginX, drawOriginY), clip);
    for (int32_t y = area.top; y < area.bottom; ++y) {
      std::fill_n(&pixels[y * kScreenWidth + area.left], area.right - area.left, argb);
    }
  }

 private:
  std::vector<uint32_t> pixels;
};

FillSurface* surface = nullptr;

class FillView : public IMView {
 public:
  void Draw() override {
    surface->Fill(rect, colour);
    dirty = false;
  }
  uint32_t colour = 0xFF808080u;
};

class Swatch : public IMViewControl<FillView> {
 public:
  Swatch(IMDialogBase* parent, RECT r, std::vector<uint32_t> palette)
      : IMViewControl<FillView>(parent, 0), palette(std::move(palette)) {
    SetRect(r);
    Repaint();
    ConnectMouseEntered(boost::bind(&Swatch::OnHover, this, boost::placeholders::_1));
    ConnectMouseLeft(boost::bind(&Swatch::OnHover, this, boost::placeholders::_1));
    ConnectClicked(boost::bind(&Swatch::OnClicked, this, boost::placeholders::_1));
  }

 private:
  long OnHover(const IMMouseEvent&) {
    Repaint();
    return 0;
  }
  long OnClicked(const IMMouseEvent&) {
    current = (current + 1) % palette.size();
    Repaint();
    return 0;
  }
  void Repaint() {
    uint32_t c = palette[current];
    if (IsMouseOver()) {
      // Halfway to white under the pointer.
      const uint32_t r = ((c >> 16) & 0xFF), g = ((c >> 8) & 0xFF), b = c & 0xFF;
      c = 0xFF000000u | (((r + 255) / 2) << 16) | (((g + 255) / 2) << 8) | ((b + 255) / 2);
    }
    colour = c;
    SetDirty(true);
  }

  std::vector<uint32_t> palette;
  size_t current = 0;
};

}  // namespace

int main(int argc, char** argv) {
  const bool windowed = argc > 1 && std::strcmp(argv[1], "--windowed") == 0;
  FillSurface fill;
  surface = &fill;
  SetCurrentDrawSurface(&fill);

  IMWindow* root = CreateMainWindow(u"Окно: проба", std::nullopt, windowed);
  const std::vector<uint32_t> palette{0xFFE53935u, 0xFFFB8C00u, 0xFFFDD835u, 0xFF43A047u,
                                      0xFF29B6F6u, 0xFF1E40AFu, 0xFF8E24AAu};
  auto* backdrop = new Swatch(root, {0, 0, 800, 600}, {0xFF20262Eu});
  (void)backdrop;
  for (int i = 0; i < 5; ++i) {
    new Swatch(root, {40 + i * 150, 60, 160 + i * 150, 260}, palette);
  }
  // Half of the last row lies outside its container and is clipped away.
  auto* panel = new IMDialogBase(root, RECT{100, 320, 700, 540}, 1);
  new Swatch(panel, {0, 0, 600, 220}, {0xFF37474Fu});
  for (int i = 0; i < 4; ++i) {
    new Swatch(panel, {30 + i * 160, 40, 150 + i * 160, 180}, palette);
  }
  new Swatch(panel, {520, 120, 720, 300}, {0xFFFFFFFFu, 0xFF000000u});
  root->ConnectKeyDown([root](const IMKeyboardEvent& e) {
    if (e.wParam == static_cast<uint32_t>(VK_ESCAPE)) root->Close();
    return 0L;
  });

  RunMessageLoop(root);
  delete root;
  SetCurrentDrawSurface(nullptr);
  return 0;
}
