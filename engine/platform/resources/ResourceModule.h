#pragma once
// A resource-only file: numbered raw-data items in a small format of our
// own, read as data (nothing in it runs). The program looks for one named
// "Animations.dll" beside itself for numbered pictures it does not carry.
//
// Layout, little-endian:
//   8 bytes   magic "PSTRRES1"
//   uint32    count
//   count x   { uint32 id (below 65536), uint32 offset, uint32 size }
//   ...       the items' bytes, anywhere after the index
// Every offset and size is checked against the file; a file that fails any
// check is damaged and counts as absent.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace platform {

class ResourceModule {
 public:
  // The module in `bytes`, or nothing when they are not a whole, undamaged module.
  static std::optional<ResourceModule> Parse(std::vector<uint8_t> bytes);
  // The module in the file at `path`, or nothing when it is missing,
  // unreadable or damaged.
  static std::optional<ResourceModule> Load(const std::filesystem::path& path);
  // "Animations.dll" from the program's folder, else from the current one.
  static std::optional<ResourceModule> LoadAnimations();

  // The bytes of item `id`; the first of several with one id wins.
  std::optional<std::span<const uint8_t>> Find(uint16_t id) const;
  size_t Count() const { return index.size(); }

 private:
  struct Item {
    uint16_t id;
    uint32_t offset;
    uint32_t size;
  };
  std::vector<uint8_t> bytes;
  std::vector<Item> index;
};

// The file for `items` (id, bytes), in the layout above.
std::vector<uint8_t> PackResourceModule(
    const std::vector<std::pair<uint16_t, std::vector<uint8_t>>>& items);

inline constexpr char kAnimationsModuleName[] = "Animations.dll";

}  // namespace platform
