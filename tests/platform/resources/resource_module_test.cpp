// The resource-only module format: packing, finding, and refusing damaged
// files as absent.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/platform/resources/ResourceModule.h"

using platform::PackResourceModule;
using platform::ResourceModule;

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

void PutUint32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

const std::vector<std::pair<uint16_t, std::vector<uint8_t>>> kItems = {
    {185, Bytes("picture")}, {186, {}}, {65535, Bytes("end")}, {185, Bytes("second")}};

TEST(ResourceModule, FindsWhatWasPacked) {
  const auto module = ResourceModule::Parse(PackResourceModule(kItems));
  ASSERT_TRUE(module);
  EXPECT_EQ(module->Count(), 4u);
  const auto picture = module->Find(185);
  ASSERT_TRUE(picture);
  EXPECT_EQ(std::string(picture->begin(), picture->end()), "picture");  // the first 185 wins
  ASSERT_TRUE(module->Find(186));
  EXPECT_TRUE(module->Find(186)->empty());
  EXPECT_TRUE(module->Find(65535));
  EXPECT_FALSE(module->Find(184));
  EXPECT_TRUE(ResourceModule::Parse(PackResourceModule({})));
}

TEST(ResourceModule, DamagedFilesCountAsAbsent) {
  const auto good = PackResourceModule(kItems);
  // Header: magic at 0, count at 8; index entries of id, offset, size from 12.
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  std::vector<Case> cases;
  cases.push_back({"empty", {}});
  cases.push_back({"magic only", std::vector<uint8_t>(good.begin(), good.begin() + 8)});
  auto wrongMagic = good;
  wrongMagic[0] = 'X';
  cases.push_back({"wrong magic", wrongMagic});
  auto hugeCount = good;
  PutUint32(hugeCount, 8, 0xFFFFFFFF);
  cases.push_back({"count beyond the file", hugeCount});
  auto pastEnd = good;
  PutUint32(pastEnd, 12 + 8, 1000);  // first item's size
  cases.push_back({"item past the end", pastEnd});
  auto wrapping = good;
  PutUint32(wrapping, 12 + 4, 0xFFFFFFF0);  // offset + size wraps in 32 bits
  PutUint32(wrapping, 12 + 8, 0x20);
  cases.push_back({"offset that wraps", wrapping});
  auto intoIndex = good;
  PutUint32(intoIndex, 12 + 4, 4);  // inside the header
  cases.push_back({"item inside the index", intoIndex});
  auto bigId = good;
  PutUint32(bigId, 12, 70000);
  cases.push_back({"number too large", bigId});
  auto truncated = good;
  truncated.resize(good.size() - 1);
  cases.push_back({"truncated", truncated});
  for (auto& c : cases) {
    EXPECT_FALSE(ResourceModule::Parse(c.bytes)) << c.name;
  }
}

TEST(ResourceModule, LoadsFromAFileAndNotFromAFolderOrNothing) {
  const auto folder = std::filesystem::temp_directory_path() / "pestrel-module-test";
  std::filesystem::create_directories(folder / "sub");
  const auto packed = PackResourceModule(kItems);
  std::ofstream(folder / "Animations.dll", std::ios::binary)
      .write(reinterpret_cast<const char*>(packed.data()), static_cast<std::streamsize>(packed.size()));
  EXPECT_TRUE(ResourceModule::Load(folder / "Animations.dll"));
  EXPECT_FALSE(ResourceModule::Load(folder / "missing.dll"));
  EXPECT_FALSE(ResourceModule::Load(folder / "sub"));
  // The current folder is searched after the program's own.
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  const auto found = ResourceModule::LoadAnimations();
  std::filesystem::current_path(previous);
  ASSERT_TRUE(found);
  EXPECT_TRUE(found->Find(65535));
  std::filesystem::remove_all(folder);
}

}  // namespace
