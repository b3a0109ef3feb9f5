// Draws the skins, the named pictures of every screen's background and of
// the standard widgets, into data/named/<name>.png. Regenerate them all
// with
//
//   tools/skins/make_skins.sh
//
// which builds this tool and runs it as
//
//   make_skins <output folder> [--sheet <contact sheet.png>]
//
// The output depends only on this source, cairo and the caption font, so
// the same machine always writes the same bytes. The contact sheet shows
// every picture at once, enlarged, for judging them by eye.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "tools/skins/ContactSheet.h"
#include "tools/skins/PngFile.h"
#include "tools/skins/SkinList.h"
#include "tools/skins/Typeface.h"

namespace fs = std::filesystem;

namespace {

struct Options {
  fs::path output;
  std::optional<fs::path> sheet;
};

std::optional<Options> ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--sheet" && i + 1 < argc) {
      options.sheet = argv[++i];
    } else if (options.output.empty() && !arg.starts_with("-")) {
      options.output = arg;
    } else {
      return std::nullopt;
    }
  }
  if (options.output.empty()) return std::nullopt;
  return options;
}

int Run(const Options& options) {
  const skins::Typeface face;
  std::printf("captions in %s\n", face.file().c_str());
  fs::create_directories(options.output);
  std::map<std::string, skins::Image> painted;
  for (const skins::Skin& skin : skins::AllSkins(face)) {
    skins::Image image = skin.paint();
    if (image.width != skin.width || image.height != skin.height) {
      std::fprintf(stderr, "%s: painted %d x %d, wanted %d x %d\n", skin.name.c_str(), image.width,
                   image.height, skin.width, skin.height);
      return 1;
    }
    skins::WritePng(options.output / (skin.name + ".png"), image, skin.kind);
    painted.emplace(skin.name, std::move(image));
  }
  std::printf("%zu skins written to %s\n", painted.size(), options.output.c_str());
  if (options.sheet) {
    skins::WriteContactSheet(*options.sheet, painted);
    std::printf("contact sheet: %s\n", options.sheet->c_str());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options = ParseOptions(argc, argv);
  if (!options) {
    std::fprintf(stderr, "usage: %s <output folder> [--sheet <contact sheet.png>]\n", argv[0]);
    return 2;
  }
  try {
    return Run(*options);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_skins: %s\n", error.what());
    return 1;
  }
}
