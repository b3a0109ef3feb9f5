#include "tools/picture/Compose.h"

#include <algorithm>
#include <vector>

#include "tools/picture/Palette.h"
#include "tools/picture/Scene.h"

namespace picture {

namespace {

constexpr std::uint32_t kNoTint = 0xFFFFFFFF;

struct Placed {
  int picture;
  int x, y;
  int layer;
  std::uint32_t tint;
};

// The overlay a painted region shows, if any.
bool ShowsOverlay(const OverlayPicture& overlay, const Colouring& colouring) {
  switch (overlay.number) {
    case 159:
      return colouring[24].has_value();
    case 128:
      return colouring[30].has_value();
    default:
      return colouring[33].has_value() || colouring[34].has_value();
  }
}

}  // namespace

Colouring PreviewColouring(bool half) {
  // Region by region: the shade of the paint chosen for the preview.
  const std::array<std::uint32_t, kRegionCount> shades = {
      kNoTint,    0xFF29CE00, 0xFF26BF00, 0xFF47D909, 0xFF343225, 0xFFF3DD10, 0xFF4DC637,
      0xFFDDCE44, 0xFF31C100, 0xFF0000FF, kNoTint,    kNoTint,    kNoTint,    kNoTint,
      kNoTint,    kNoTint,    kNoTint,    kNoTint,    0xFFF91300, 0xFFF8F107, 0xFF384447,
      0xFF15CC00, 0xFFFEFE00, 0xFFFF0C0C, 0xFFF3E63A, 0xFFBF0000, 0xFFE16804, 0xFFF91300,
      0xFF804000, kNoTint,    0xFF0099FF, 0xFF581B0C, 0xFF0000C6, 0xFF5E2F00, 0xFFFF0000};
  const std::vector<int> firstHalf = {0,  1,  4,  8,  9,  11, 13, 14, 16,
                                      17, 19, 23, 24, 25, 26, 29, 30};
  Colouring colouring;
  for (int k = 0; k < kRegionCount; ++k) {
    if (!half || std::find(firstHalf.begin(), firstHalf.end(), k) != firstHalf.end()) {
      colouring[k] = shades[k];
    }
  }
  return colouring;
}

Image ComposeScreen(const std::map<int, Image>& pictures, const Colouring& colouring) {
  // In the game screen's order of creation; the stable sort then puts
  // higher layers above and keeps that order within a layer.
  std::vector<Placed> stack{{139, 0, 0, 0, kNoTint}};
  for (const PaintWell& well : Paints()) stack.push_back({well.normal, well.x, well.y, 1, kNoTint});
  for (const RegionPicture& r : Regions()) {
    const auto& paint = colouring[r.region];
    stack.push_back({paint ? r.fill : r.blank, r.x, r.y, r.layer, paint.value_or(kNoTint)});
    for (const OverlayPicture& o : Overlays()) {
      if (o.afterRegion == r.region && ShowsOverlay(o, colouring)) {
        stack.push_back({o.number, o.x, o.y, o.layer, kNoTint});
      }
    }
  }
  std::stable_sort(stack.begin(), stack.end(),
                   [](const Placed& a, const Placed& b) { return a.layer < b.layer; });

  Image screen{800, 600, std::vector<std::uint8_t>(800 * 600 * 4, 0)};
  for (const Placed& p : stack) DrawOver(screen, pictures.at(p.picture), p.x, p.y, p.tint);
  return screen;
}

}  // namespace picture
