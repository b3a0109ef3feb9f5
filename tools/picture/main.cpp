// Draws the colouring game's pictures and writes them as numbered PNG files.
//
//   make_picture <folder for <number>.png files> [--previews <folder>]
//
// With --previews it also writes game-blank.png, game-half.png and
// game-coloured.png: whole game screens put together from the pictures,
// blank, half and fully coloured, to judge the picture by.

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

#include "tools/picture/Compose.h"
#include "tools/picture/Palette.h"
#include "tools/picture/Scene.h"

namespace fs = std::filesystem;
using namespace picture;

namespace {

Image RenderPiece(int x, int y, int width, int height, DrawRoutine draw, Look look) {
  return Render(x, y, width, height, [draw, look](cairo_t* cr) {
    cairo_rectangle(cr, kCanvasLeft, kCanvasTop, kCanvasRight - kCanvasLeft,
                    kCanvasBottom - kCanvasTop);
    cairo_clip(cr);
    Pen pen(cr, look);
    draw(pen);
  });
}

bool Store(std::map<int, Image>& pictures, int number, Image image) {
  const auto [it, added] = pictures.emplace(number, image);
  if (!added && it->second.rgba != image.rgba) {
    std::fprintf(stderr, "picture %d is drawn differently by the regions that share it\n", number);
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && !(argc == 4 && std::strcmp(argv[2], "--previews") == 0)) {
    std::fprintf(stderr, "usage: %s <output folder> [--previews <folder>]\n", argv[0]);
    return 2;
  }
  const fs::path out = argv[1];

  std::map<int, Image> pictures;
  bool consistent = true;
  for (const RegionPicture& r : Regions()) {
    consistent &=
        Store(pictures, r.blank, RenderPiece(r.x, r.y, r.width, r.height, r.draw, Look::Blank));
    if (r.fillKind == FillKind::Keeps) continue;
    const Look look = r.fillKind == FillKind::Painted ? Look::Painted : Look::White;
    consistent &= Store(pictures, r.fill, RenderPiece(r.x, r.y, r.width, r.height, r.draw, look));
  }
  for (const OverlayPicture& o : Overlays()) {
    consistent &=
        Store(pictures, o.number, RenderPiece(o.x, o.y, o.width, o.height, o.draw, Look::Painted));
  }
  if (!consistent) return 1;

  pictures[139] = DrawBackground();
  for (const PaintWell& well : Paints()) {
    pictures[well.normal] = DrawWell(well.brushColour, false);
    pictures[well.ringed] = DrawWell(well.brushColour, true);
  }
  pictures[192] = DrawBrush(false);
  pictures[214] = DrawBrush(true);
  pictures[212] = DrawVeil(735, 119);
  pictures[213] = DrawVeil(712, 440);
  pictures[211] = ComposeScreen(pictures, Colouring{});

  fs::create_directories(out);
  for (const auto& [number, image] : pictures) {
    const bool opaque = number == 139 || number == 211;
    const fs::path file = out / (std::to_string(number) + ".png");
    if (!WritePng(image, file.string(), !opaque)) {
      std::fprintf(stderr, "cannot write %s\n", file.c_str());
      return 1;
    }
  }
  std::printf("%zu pictures in %s\n", pictures.size(), out.c_str());

  if (argc == 4) {
    const fs::path previews = argv[3];
    fs::create_directories(previews);
    const std::pair<const char*, Colouring> screens[] = {
        {"game-blank.png", Colouring{}},
        {"game-half.png", PreviewColouring(true)},
        {"game-coloured.png", PreviewColouring(false)},
    };
    for (const auto& [name, colouring] : screens) {
      if (!WritePng(ComposeScreen(pictures, colouring), (previews / name).string(), false)) {
        std::fprintf(stderr, "cannot write %s\n", (previews / name).c_str());
        return 1;
      }
    }
    std::printf("previews in %s\n", previews.c_str());
  }
  return 0;
}
