// Packs a folder of numbered files (<number>.<extension>) into a
// resource-only module, the format the program reads "Animations.dll" in.
//
//   pack_resources <output file> <folder>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "engine/platform/resources/ResourceModule.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <output file> <folder of <number>.<ext> files>\n", argv[0]);
    return 2;
  }
  std::map<uint16_t, fs::path> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(argv[2], error)) {
    if (!entry.is_regular_file()) continue;
    const std::string stem = entry.path().stem().string();
    unsigned id = 0;
    const auto [end, status] = std::from_chars(stem.data(), stem.data() + stem.size(), id);
    if (status != std::errc() || end != stem.data() + stem.size() || id > 0xFFFF) {
      std::fprintf(stderr, "skipping %s: not named <number>.<extension>\n",
                   entry.path().c_str());
      continue;
    }
    if (!files.emplace(static_cast<uint16_t>(id), entry.path()).second) {
      std::fprintf(stderr, "%s: number %u is given twice\n", entry.path().c_str(), id);
      return 1;
    }
  }
  if (error) {
    std::fprintf(stderr, "cannot read %s: %s\n", argv[2], error.message().c_str());
    return 1;
  }
  std::vector<std::pair<uint16_t, std::vector<uint8_t>>> items;
  for (const auto& [id, path] : files) {
    std::ifstream in(path, std::ios::binary);
    items.emplace_back(id, std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}));
  }
  const auto packed = platform::PackResourceModule(items);
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(packed.data()), static_cast<std::streamsize>(packed.size()));
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%s: %zu items\n", argv[1], items.size());
  return 0;
}
