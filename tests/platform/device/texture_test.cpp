// Textures: which sizes and formats the device makes, the lock of level 0,
// and the video-memory budget running out and recovering.

#include <gtest/gtest.h>

#include "tests/platform/device/DeviceTestSupport.h"

namespace platform::testing {
namespace {

using TextureTest = DeviceFixture;

TEST_F(TextureTest, SizesMustBePowersOfTwoTheCallerRoundsTo) {
  struct Case {
    uint32_t width;
    uint32_t height;
    Format format;
    Result expected;
  };
  const Case cases[] = {
      {1, 1, Format::A8R8G8B8, Result::Ok},
      {1024, 1024, Format::A8R8G8B8, Result::Ok},
      {4096, 2, Format::X8R8G8B8, Result::Ok},
      {0, 1, Format::A8R8G8B8, Result::InvalidCall},
      {3, 4, Format::A8R8G8B8, Result::InvalidCall},
      {800, 1024, Format::A8R8G8B8, Result::InvalidCall},
      {8192, 1, Format::A8R8G8B8, Result::InvalidCall},
      {16, 16, Format::Unknown, Result::InvalidCall},
  };
  for (const Case& c : cases) {
    std::shared_ptr<Texture> texture;
    EXPECT_EQ(device->CreateTexture(c.width, c.height, c.format, &texture), c.expected)
        << c.width << " x " << c.height;
    EXPECT_EQ(texture != nullptr, c.expected == Result::Ok);
    if (!texture) continue;
    SurfaceDesc desc;
    ASSERT_EQ(texture->GetLevelDesc(0, &desc), Result::Ok);
    EXPECT_EQ(desc.Width, c.width);
    EXPECT_EQ(desc.Height, c.height);
    EXPECT_EQ(desc.format, c.format);
  }
}

TEST_F(TextureTest, LevelZeroLocksOnceAndStartsTransparentBlack) {
  std::shared_ptr<Texture> texture;
  ASSERT_EQ(device->CreateTexture(8, 4, Format::A8R8G8B8, &texture), Result::Ok);
  SurfaceDesc desc;
  EXPECT_EQ(texture->GetLevelDesc(1, &desc), Result::InvalidCall);
  LockedRect locked;
  EXPECT_EQ(texture->LockRect(1, &locked), Result::InvalidCall);
  ASSERT_EQ(texture->LockRect(0, &locked), Result::Ok);
  ASSERT_GE(locked.Pitch, 8 * 4);
  for (int y = 0; y < 4; ++y) {
    const auto* row =
        reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch);
    for (int x = 0; x < 8; ++x) EXPECT_EQ(row[x], 0u);
  }
  LockedRect again;
  EXPECT_EQ(texture->LockRect(0, &again), Result::InvalidCall);

  // A locked texture cannot be drawn.
  ASSERT_EQ(device->BeginScene(), Result::Ok);
  TransformedVertex fan[4];
  QuadVertices(*texture, RECT{0, 0, 8, 4}, RECT{0, 0, 8, 4}, 0xFFFFFFFFu, fan);
  EXPECT_EQ(DrawFan(texture, fan), Result::InvalidCall);

  EXPECT_EQ(texture->UnlockRect(0), Result::Ok);
  EXPECT_EQ(texture->UnlockRect(0), Result::InvalidCall);
  EXPECT_EQ(DrawFan(texture, fan), Result::Ok);
}

TEST_F(TextureTest, BudgetRunsOutAndReleasedTexturesGiveTheirBytesBack) {
  constexpr uint64_t kTexture = 64 * 64 * 4;
  backend->SetVideoMemoryBudget(3 * kTexture);
  std::vector<std::shared_ptr<Texture>> textures(3);
  for (auto& texture : textures) {
    ASSERT_EQ(device->CreateTexture(64, 64, Format::A8R8G8B8, &texture), Result::Ok);
  }
  EXPECT_EQ(backend->VideoMemoryInUse(), 3 * kTexture);
  std::shared_ptr<Texture> extra;
  EXPECT_EQ(device->CreateTexture(64, 64, Format::A8R8G8B8, &extra), Result::OutOfVideoMemory);
  EXPECT_EQ(extra, nullptr);
  // A smaller texture still fits nowhere: the budget is full.
  EXPECT_EQ(device->CreateTexture(1, 1, Format::A8R8G8B8, &extra), Result::OutOfVideoMemory);

  textures[1].reset();
  EXPECT_EQ(backend->VideoMemoryInUse(), 2 * kTexture);
  EXPECT_EQ(device->CreateTexture(64, 64, Format::A8R8G8B8, &extra), Result::Ok);
  EXPECT_EQ(backend->VideoMemoryInUse(), 3 * kTexture);
}

TEST_F(TextureTest, BoundTextureKeepsItsBytesUntilUnbound) {
  std::shared_ptr<Texture> texture;
  ASSERT_EQ(device->CreateTexture(32, 32, Format::A8R8G8B8, &texture), Result::Ok);
  ASSERT_EQ(device->SetTexture(0, texture), Result::Ok);
  texture.reset();
  EXPECT_EQ(backend->VideoMemoryInUse(), 32u * 32 * 4);
  ASSERT_EQ(device->SetTexture(0, nullptr), Result::Ok);
  EXPECT_EQ(backend->VideoMemoryInUse(), 0u);
}

}  // namespace
}  // namespace platform::testing
