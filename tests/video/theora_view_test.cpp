// The video view on the program's own cartoons: which picture each
// SetFrame shows, rewinding, skipping, the end of the data, device loss,
// the animation control playing it, and broken streams.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/gui/AnimationBase.h"
#include "engine/gui/DialogBase.h"
#include "engine/platform/resources/EmbeddedData.h"
#include "engine/render/TheoraView.h"
#include "tests/render/engine_fixture.h"
#include "tests/video/ogg_test_streams.h"
#include "tests/video/reference_frames.h"

namespace {

using videotest::Bytes;

constexpr int32_t kUnknownLastFrame = 2147483647;
constexpr char16_t kLockFailure[] = u"UpdateTexture: the texture cannot be locked";

std::span<const uint8_t> Cartoon(const char16_t* name) {
  const auto data = platform::FindNamedData(name);
  if (!data) throw std::runtime_error("the program carries no such cartoon");
  return *data;
}

class TheoraViewTest : public EngineFixture {
 protected:
  // The texels of a texture's picture area, row after row.
  std::vector<uint32_t> Texels(uint32_t handle) {
    IMTextureEntry* entry = engine->Entry(handle);
    if (!entry || !entry->texture) return {};
    platform::LockedRect locked;
    if (entry->texture->LockRect(0, &locked) != platform::Result::Ok) return {};
    const int32_t width = entry->imageRect.right;
    const int32_t height = entry->imageRect.bottom;
    std::vector<uint32_t> texels(static_cast<size_t>(width) * height);
    for (int32_t y = 0; y < height; ++y) {
      std::memcpy(
          &texels[static_cast<size_t>(y) * width],
          static_cast<const uint8_t*>(locked.pBits) + static_cast<ptrdiff_t>(y) * locked.Pitch,
          static_cast<size_t>(width) * 4);
    }
    entry->texture->UnlockRect(0);
    return texels;
  }
  std::vector<uint32_t> Shown(const IMTheoraView& view) { return Texels(view.texture); }

  // How many texels differ: a count reads better than 76 800 values.
  static size_t Differences(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    if (a.size() != b.size()) return std::max(a.size(), b.size());
    size_t count = 0;
    for (size_t i = 0; i < a.size(); ++i) count += a[i] != b[i];
    return count;
  }

  size_t LockFailures() const {
    size_t count = 0;
    for (const auto& line : debugLines.Lines()) count += line == kLockFailure;
    return count;
  }

  static void Open(IMTheoraView& view, std::span<const uint8_t> stream) {
    view.Open(stream.data(), static_cast<int32_t>(stream.size()));
  }
};

TEST_F(TheoraViewTest, EveryCartoonShowsItsPicturesInOrderAndLearnsItsEndAtTheEnd) {
  for (const char16_t* name :
       {u"bravo_video", u"gotovo_video", u"molodec_video", u"otlichno_video", u"ura_video"}) {
    SCOPED_TRACE(std::string(name, name + std::char_traits<char16_t>::length(name)));
    const auto stream = Cartoon(name);
    const videotest::ReferenceFrames reference = videotest::DecodeReferenceFrames(stream);
    ASSERT_EQ(reference.width, 320);
    ASSERT_EQ(reference.height, 240);
    ASSERT_EQ(reference.frames.size(), 25u);

    IMTheoraView view;
    Open(view, stream);
    EXPECT_EQ(view.GetSourceRect(), (RECT{0, 0, 320, 240}));
    EXPECT_EQ(view.GetLastFrame(), kUnknownLastFrame);
    // The first texture is shown black while frame 0 waits in the other.
    EXPECT_EQ(Differences(Shown(view), std::vector<uint32_t>(320 * 240, 0u)), 0u);
    EXPECT_EQ(Differences(Texels(view.BackTexture()), reference.frames[0]), 0u);
    for (uint32_t handle : {view.texture, view.BackTexture()}) {
      EXPECT_EQ(engine->Entry(handle)->texture->GetFormat(), platform::Format::X8R8G8B8);
    }

    for (int32_t n = 0; n < 25; ++n) {
      view.SetFrame(n);
      EXPECT_EQ(view.GetFrame(), n);
      EXPECT_EQ(Differences(Shown(view), reference.frames[static_cast<size_t>(n)]), 0u)
          << "frame " << n;
      // Only the step after the last picture meets the end of the data.
      EXPECT_EQ(view.GetLastFrame(), n < 24 ? kUnknownLastFrame : 24) << "frame " << n;
    }
  }
}

TEST_F(TheoraViewTest, PlayingAgainAfterTheEndDecodesFromTheFirstByte) {
  const auto stream = Cartoon(u"bravo_video");
  const auto reference = videotest::DecodeReferenceFrames(stream);
  IMTheoraView view;
  Open(view, stream);
  for (int32_t n = 0; n < 25; ++n) view.SetFrame(n);
  ASSERT_EQ(view.GetLastFrame(), 24);

  // The jump back shows what was prepared before it, and the pass then
  // runs from the start again.
  const std::vector<uint32_t> prepared = Texels(view.BackTexture());
  view.SetFrame(0);
  EXPECT_EQ(Differences(Shown(view), prepared), 0u);
  EXPECT_EQ(Differences(Texels(view.BackTexture()), reference.frames[1]), 0u);
  for (int32_t n = 1; n < 4; ++n) {
    view.SetFrame(n);
    EXPECT_EQ(Differences(Shown(view), reference.frames[static_cast<size_t>(n)]), 0u) << n;
  }
  EXPECT_EQ(view.GetLastFrame(), 24);
}

TEST_F(TheoraViewTest, LateSetFrameDecodesTheFramesBetweenButConvertsOnlyTheOneDue) {
  const auto stream = Cartoon(u"ura_video");
  const auto reference = videotest::DecodeReferenceFrames(stream);
  {
    IMTheoraView view;
    Open(view, stream);
    view.SetFrame(0);
    view.SetFrame(9);  // frames 2 to 10 are decoded now
    EXPECT_EQ(Differences(Shown(view), reference.frames[1]), 0u);
    view.SetFrame(10);
    EXPECT_EQ(Differences(Shown(view), reference.frames[10]), 0u);
  }
  // Every conversion tries to lock the texture it writes; with that
  // texture held locked each attempt leaves a trace.
  IMTheoraView view;
  Open(view, stream);
  view.SetFrame(0);
  const uint32_t nextBack = view.texture;  // written by the next step
  platform::LockedRect held;
  ASSERT_EQ(engine->Entry(nextBack)->texture->LockRect(0, &held), platform::Result::Ok);
  const size_t before = LockFailures();
  view.SetFrame(9);
  EXPECT_EQ(LockFailures() - before, 1u);
  engine->Entry(nextBack)->texture->UnlockRect(0);
}

TEST_F(TheoraViewTest, WhileTheDeviceIsLostFramesAreDecodedButNotConverted) {
  const auto stream = Cartoon(u"molodec_video");
  const auto reference = videotest::DecodeReferenceFrames(stream);
  IMTheoraView view;
  Open(view, stream);
  view.SetRect(RECT{0, 0, 320, 240});
  view.SetFrame(0);

  device->LoseDevices();
  view.SetFrame(1);  // frame 2 is decoded, not written
  EXPECT_EQ(Differences(Shown(view), reference.frames[1]), 0u);
  EXPECT_EQ(Differences(Texels(view.BackTexture()), reference.frames[0]), 0u);

  ASSERT_TRUE(engine->RestoreDevice());
  view.SetFrame(2);
  view.SetFrame(3);
  EXPECT_EQ(Differences(Shown(view), reference.frames[3]), 0u);
  // Made again after the loss, the texture is still opaque video.
  EXPECT_EQ(engine->Entry(view.texture)->texture->GetFormat(), platform::Format::X8R8G8B8);
  Frame([&] { view.Draw(); }, 0xFF0000FFu);
  for (POINT p : {POINT{160, 120}, POINT{3, 5}, POINT{300, 230}}) {
    const uint32_t texel = reference.frames[3][static_cast<size_t>(p.y) * 320 + p.x];
    EXPECT_TRUE(ColourNear(Pixel(p.x, p.y), 0xFF000000u | texel, 1))
        << p.x << "," << p.y << ": " << std::hex << Pixel(p.x, p.y) << " for " << texel;
  }
}

TEST_F(TheoraViewTest, TheFirstTwoViewsOfARunAreNumberedZeroAndOne) {
  // The number is process-wide, so it is looked at in a fresh process.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const auto stream = Cartoon(u"gotovo_video");
  EXPECT_EXIT(
      {
        bool named = false;
        {
          IMTheoraView first;
          IMTheoraView second;
          Open(first, stream);
          Open(second, stream);
          named = engine->FindTexture(u"IMTheoraView10") == first.texture &&
                  engine->FindTexture(u"IMTheoraView20") == first.BackTexture() &&
                  engine->FindTexture(u"IMTheoraView11") == second.texture &&
                  engine->FindTexture(u"IMTheoraView21") == second.BackTexture();
        }
        // Each view gave its textures back.
        const bool released = engine->FindTexture(u"IMTheoraView10") == engine->HandleCount() &&
                              engine->FindTexture(u"IMTheoraView21") == engine->HandleCount();
        std::exit(named && released ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(TheoraViewTest, VideoControlTakesNoClicks) {
  IMDialogBase root(nullptr);
  auto* video = new IMAnimationBase<IMTheoraView>(&root, 0);
  const auto stream = Cartoon(u"otlichno_video");
  video->Open(stream.data(), static_cast<int32_t>(stream.size()));
  video->SetRect(RECT{230, 176, 550, 376});
  root.Update(IMEvent(&root, kEventUpdate));
  video->SetFrame(0);
  EXPECT_FALSE(video->HitTest(390, 276));
  // It is the pictures' zero fourth byte that keeps the clicks away.
  video->alphaThreshold = 0;
  EXPECT_TRUE(video->HitTest(390, 276));
}

TEST_F(TheoraViewTest, AnimationPlaysTheCartoonOnceAtTwelveFramesASecond) {
  const auto stream = Cartoon(u"bravo_video");
  const auto reference = videotest::DecodeReferenceFrames(stream);
  IMDialogBase root(nullptr);
  auto* video = new IMAnimationBase<IMTheoraView>(&root, 0);
  video->Open(stream.data(), static_cast<int32_t>(stream.size()));
  video->framePeriod = 5000;
  int frameChanges = 0;
  int finishes = 0;
  video->ConnectFrameChanged([&](const IMEvent&) {
    ++frameChanges;
    return 0L;
  });
  video->ConnectFinished([&](const IMEvent&) {
    ++finishes;
    return 0L;
  });
  root.Update(IMEvent(&root, kEventUpdate));
  video->SetFrame(video->GetFirstFrame());
  video->Play();

  // One twelfth of a second per step, in whole counter ticks rounded up.
  for (int32_t step = 1; step <= 24; ++step) {
    clock.AdvanceTicks(83334);
    root.Update(IMEvent(&root, kEventUpdate));
    ASSERT_EQ(video->GetFrame(), step);
    EXPECT_EQ(Differences(Shown(*video), reference.frames[static_cast<size_t>(step)]), 0u) << step;
    EXPECT_TRUE(video->IsPlaying());
  }
  EXPECT_EQ(video->GetLastFrame(), 24);
  clock.AdvanceTicks(83334);
  root.Update(IMEvent(&root, kEventUpdate));
  EXPECT_FALSE(video->IsPlaying());
  EXPECT_EQ(finishes, 1);
  EXPECT_EQ(frameChanges, 1 + 24);  // Play's, then one per new frame
  EXPECT_EQ(Differences(Shown(*video), reference.frames[24]), 0u);  // the last stays
}

// --- Streams that are not quite the program's cartoons ------------------

class TheoraStreamTest : public TheoraViewTest {
 protected:
  TheoraStreamTest()
      : pages(videotest::OnePacketPerPage(Cartoon(u"bravo_video"))),
        serial(pages[0][14] | pages[0][15] << 8 | pages[0][16] << 16 | pages[0][17] << 24) {}

  // Pages [from, to) of the rebuilt cartoon: 0 identification, 1 comment,
  // 2 setup, then the pictures.
  std::vector<Bytes> Pages(size_t from, size_t to) const {
    return {pages.begin() + static_cast<ptrdiff_t>(from),
            pages.begin() + static_cast<ptrdiff_t>(std::min(to, pages.size()))};
  }
  static Bytes Garbage(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& b : bytes) b = static_cast<uint8_t>(random());
    return bytes;
  }
  static std::vector<Bytes> Cat(std::initializer_list<std::vector<Bytes>> parts) {
    std::vector<Bytes> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
  }

  std::vector<Bytes> pages;
  int serial;
};

TEST_F(TheoraStreamTest, BrokenStreamsThrowTheirMessageAndLeaveAViewThatWaitsForNothing) {
  ASSERT_GE(pages.size(), 28u);
  Bytes cutBeginning(pages[0].begin(), pages[0].begin() + 20);
  Bytes newerPageVersion = pages[0];
  newerPageVersion[4] = 1;
  videotest::FixChecksum(newerPageVersion);
  Bytes corruptComment = pages[1];
  corruptComment[videotest::BodyOffset(corruptComment) + 3] ^= 0x20;  // "theora" misspelt
  videotest::FixChecksum(corruptComment);
  const Bytes refusedPicture =
      videotest::MakePage(serial, 3, false, Bytes(120, 0xFF));  // a header bit, not a picture
  const Bytes otherCodec = {0x01, 'v', 'o', 'r', 'b', 'i', 's', 0, 0, 0, 0, 2, 0x44, 0xAC, 0, 0};

  struct Case {
    const char* what;
    Bytes stream;
    const char* message;
  } cases[] = {
      {"empty data", {}, "eof searched, terminate..."},
      {"a cut beginning page", cutBeginning, "eof searched, terminate..."},
      {"only the beginning page", pages[0], "eof searched, terminate..."},
      {"bytes without pages", Garbage(20000, 1), "eof searched, terminate..."},
      {"headers cut after the comment", videotest::Join(Pages(0, 2)), "eof searched. terminate..."},
      {"headers followed by garbage", videotest::Join(Cat({Pages(0, 3), {Garbage(30000, 2)}})),
       "eof searched. terminate..."},
      {"a stream without Theora",
       videotest::Join({videotest::MakePage(77, 0, true, otherCodec),
                        videotest::MakePage(77, 1, false, Garbage(500, 3))}),
       "eof searched. terminate..."},
      {"the comment's page missing", videotest::Join(Cat({Pages(0, 1), Pages(2, 10)})),
       "error during ogg_stream_packetout"},
      {"a newer page version", videotest::Join(Cat({{newerPageVersion}, Pages(1, 10)})),
       "error during ogg_stream_pagein"},
      {"a corrupt comment header",
       videotest::Join(Cat({Pages(0, 1), {corruptComment}, Pages(2, 10)})),
       "error during theora_decode_header (corrupt stream)"},
      {"a first picture the decoder refuses",
       videotest::Join(Cat({Pages(0, 3), {refusedPicture}, Pages(4, 10)})),
       "error during theora_decode_packetin..."},
  };
  const auto liveTextures = [&] {
    int live = 0;
    for (uint32_t h = 0; h < engine->HandleCount(); ++h) live += engine->Entry(h) != nullptr;
    return live;
  };
  const int texturesBefore = liveTextures();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    IMTheoraView view;
    try {
      Open(view, c.stream);
      ADD_FAILURE() << "no throw";
    } catch (const std::runtime_error& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    // Nothing is ready, so nothing is waited for or decoded; the view is
    // destroyed (and its textures, if any, given back) as usual.
    view.SetFrame(1);
    EXPECT_EQ(view.GetFrame(), 1);
  }
  // Views that failed after making their textures gave them back.
  EXPECT_EQ(liveTextures(), texturesBefore);
}

TEST_F(TheoraStreamTest, OtherStreamsAroundTheTheoraStreamAreLeftAside) {
  const Bytes otherCodec = {0x01, 'v', 'o', 'r', 'b', 'i', 's', 0, 0, 0, 0, 2, 0x44, 0xAC, 0, 0};
  const std::vector<Bytes> mixed = Cat({
      {videotest::MakePage(77, 0, true, otherCodec)},  // refused as a Theora header
      Pages(0, 1),
      {videotest::MakePage(78, 0, true, Bytes{0x80, 't', 'h', 'e', 'o', 'r', 'a'})},  // too late
      Pages(1, 2),
      {videotest::MakePage(77, 1, false, Garbage(300, 4))},  // another stream's data
      Pages(2, pages.size()),
  });
  const auto reference = videotest::DecodeReferenceFrames(Cartoon(u"bravo_video"));
  const Bytes stream = videotest::Join(mixed);
  IMTheoraView view;
  Open(view, stream);
  for (int32_t n = 0; n < 3; ++n) {
    view.SetFrame(n);
    EXPECT_EQ(Differences(Shown(view), reference.frames[static_cast<size_t>(n)]), 0u) << n;
  }
}

TEST_F(TheoraStreamTest, AMissingPicturePageIsSteppedOver) {
  std::vector<Bytes> holed = pages;
  holed.erase(holed.begin() + 3 + 10);
  const Bytes stream = videotest::Join(holed);
  IMTheoraView view;
  Open(view, stream);
  for (int32_t n = 0; n < 30 && view.GetLastFrame() == kUnknownLastFrame; ++n) view.SetFrame(n);
  EXPECT_EQ(view.GetLastFrame(), 23);
}

TEST_F(TheoraStreamTest, APictureRefusedMidwayEndsThePassAtTheFrameShown) {
  const Bytes refused = videotest::MakePage(serial, 9, false, Bytes(80, 0xFF));
  const Bytes stream = videotest::Join(Cat({Pages(0, 9), {refused}, Pages(9, pages.size())}));
  IMTheoraView view;
  Open(view, stream);  // pictures 0 to 5 are whole; the seventh is refused
  for (int32_t n = 0; n < 5; ++n) view.SetFrame(n);
  EXPECT_THROW(view.SetFrame(5), std::runtime_error);
  EXPECT_EQ(view.GetLastFrame(), 5);
  // After the failure the view decodes nothing more and shows what it had.
  const std::vector<uint32_t> after = Shown(view);
  view.SetFrame(6);
  EXPECT_EQ(Differences(Shown(view), after), 0u);
  EXPECT_EQ(view.GetFrame(), 6);
}

}  // namespace
