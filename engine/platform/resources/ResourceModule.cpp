#include "engine/platform/resources/ResourceModule.h"


#include <cstring>
#include <fstream>

namespace platform {

namespace {

constexpr char kMagic[8] = {'P', 'S', 'T', 'R', 'R', 'E', 'S', '1'};
constexpr size_t kHeaderSize = sizeof(kMagic) + 4;
constexpr size_t kIndexEntrySize = 12;
// Larger than any module of ours could be; a bigger file is not one.
constexpr std::uintmax_t kMaxModuleSize = 512u * 1024 * 1024;

uint32_t ReadUint32(const uint8_t* p) {
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

void AppendUint32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

std::filesystem::path ProgramFolder() {
  std::error_code error;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return exe.parent_path();
}

}  // namespace

std::optional<ResourceModule> ResourceModule::Parse(std::vector<uint8_t> bytes) {
  if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kMagic, sizeof(kMagic)) != 0) {
    return std::nullopt;
  }
  const uint64_t count = ReadUint32(bytes.data() + sizeof(kMagic));
  const uint64_t dataStart = kHeaderSize + count * kIndexEntrySize;
  if (dataStart > bytes.size()) return std::nullopt;
  ResourceModule module;
  module.index.reserve(static_cast<size_t>(count));
  for (uint64_t i = 0; i < count; ++i) {
    const uint8_t* entry = bytes.data() + kHeaderSize + i * kIndexEntrySize;
    const uint32_t id = ReadUint32(entry);
    const uint64_t offset = ReadUint32(entry + 4);
    const uint64_t size = ReadUint32(entry + 8);
    if (id > 0xFFFF || offset < dataStart || offset + size > bytes.size()) return std::nullopt;
    module.index.push_back(Item{static_cast<uint16_t>(id), static_cast<uint32_t>(offset),
                                static_cast<uint32_t>(size)});
  }
  module.bytes = std::move(bytes);
  return module;
}

std::optional<ResourceModule> ResourceModule::Load(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kMaxModuleSize) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (!file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
    return std::nullopt;
  }
  return Parse(std::move(bytes));
}

std::optional<ResourceModule> ResourceModule::LoadAnimations() {
  const auto folder = ProgramFolder();
  if (!folder.empty()) {
    if (auto module = Load(folder / kAnimationsModuleName)) return module;
  }
  return Load(std::filesystem::path(kAnimationsModuleName));
}

std::optional<std::span<const uint8_t>> ResourceModule::Find(uint16_t id) const {
  for (const Item& item : index) {
    if (item.id == id) return std::span<const uint8_t>(bytes.data() + item.offset, item.size);
  }
  return std::nullopt;
}

std::vector<uint8_t> PackResourceModule(
    const std::vector<std::pair<uint16_t, std::vector<uint8_t>>>& items) {
  std::vector<uint8_t> out(kMagic, kMagic + sizeof(kMagic));
  AppendUint32(out, static_cast<uint32_t>(items.size()));
  uint64_t offset = kHeaderSize + items.size() * kIndexEntrySize;
  for (const auto& [id, data] : items) {
    AppendUint32(out, id);
    AppendUint32(out, static_cast<uint32_t>(offset));
    AppendUint32(out, static_cast<uint32_t>(data.size()));
    offset += data.size();
  }
  for (const auto& item : items) out.insert(out.end(), item.second.begin(), item.second.end());
  return out;
}

}  // namespace platform
