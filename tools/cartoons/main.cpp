// make_cartoons: draws the reward's pictures.
//
//   make_cartoons frames <name> <folder>   the 25 frames of cartoon <name> as
//                                          <folder>/frame_00.png ... frame_24.png
//   make_cartoons cloud <file.png>         the cloud "oblako_png"
//   make_cartoons names                    the cartoons' names, one a line
//
// tools/cartoons/make_reward_data.sh turns the frames into Theora streams
// and makes the praise words; see tools/cartoons/README.md.

#include <cairo.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tools/cartoons/Cloud.h"
#include "tools/cartoons/Paint.h"
#include "tools/cartoons/Scenes.h"

namespace cartoons {

const Scene kScenes[5] = {
    {"bravo_video", DrawFireworks},    {"gotovo_video", DrawStarConfetti},
    {"molodec_video", DrawWinkingSun}, {"otlichno_video", DrawRainbowBall},
    {"ura_video", DrawHurrahFlag},
};

}  // namespace cartoons

namespace {

using cartoons::kFrameHeight;
using cartoons::kFrameWidth;

bool WritePng(cairo_surface_t* surface, const std::string& path) {
  if (cairo_surface_write_to_png(surface, path.c_str()) != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "make_cartoons: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

int WriteFrames(const cartoons::Scene& scene, const std::string& folder) {
  for (int frame = 0; frame < cartoons::kFrames; ++frame) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, kFrameWidth, kFrameHeight);
    cairo_t* cr = cairo_create(surface);
    // Drawn in the shown 320 x 200 space, stretched to the stored 240 rows.
    cairo_scale(cr, 1.0, kFrameHeight / cartoons::kShownHeight);
    scene.draw(cr, frame);
    const cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    char name[32];
    std::snprintf(name, sizeof name, "/frame_%02d.png", frame);
    const bool written = status == CAIRO_STATUS_SUCCESS && WritePng(surface, folder + name);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
      std::fprintf(stderr, "make_cartoons: %s frame %d: %s\n", scene.name, frame,
                   cairo_status_to_string(status));
    }
    if (!written) return 1;
  }
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: make_cartoons frames <name> <folder>\n"
               "       make_cartoons cloud <file.png>\n"
               "       make_cartoons names\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "names") == 0) {
    for (const auto& scene : cartoons::kScenes) std::printf("%s\n", scene.name);
    return 0;
  }
  if (argc == 3 && std::strcmp(argv[1], "cloud") == 0) {
    cairo_surface_t* cloud = cartoons::DrawCloud();
    const bool written = WritePng(cloud, argv[2]);
    cairo_surface_destroy(cloud);
    return written ? 0 : 1;
  }
  if (argc == 4 && std::strcmp(argv[1], "frames") == 0) {
    for (const auto& scene : cartoons::kScenes) {
      if (scene.name == std::string(argv[2])) return WriteFrames(scene, argv[3]);
    }
    std::fprintf(stderr, "make_cartoons: no cartoon named %s\n", argv[2]);
    return 2;
  }
  return Usage();
}
