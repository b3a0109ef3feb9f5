// The debug trace: what a capture collects, and what reaches stderr.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <future>
#include <string>
#include <vector>

#include "engine/platform/debug/DebugOutput.h"

namespace {

using platform::DebugOutputCapture;
using platform::OutputDebugStringW;
using ::testing::ElementsAre;

TEST(DebugOutputTest, ACaptureKeepsEachMessageWithoutItsLineBreak) {
  const DebugOutputCapture capture;
  OutputDebugStringW(u"plain");
  OutputDebugStringW(u"ends with a break\n");
  OutputDebugStringW(u"two breaks\n\n");
  OutputDebugStringW(u"inner\nbreak");
  OutputDebugStringW(u"");
  OutputDebugStringW(std::u16string(u"Лист 1"));
  EXPECT_THAT(capture.Lines(), ElementsAre(u"plain", u"ends with a break", u"two breaks\n",
                                           u"inner\nbreak", u"", u"Лист 1"));
}

TEST(DebugOutputTest, TheNewestCaptureCollectsAndTheOuterOneResumes) {
  const DebugOutputCapture outer;
  OutputDebugStringW(u"a");
  {
    const DebugOutputCapture inner;
    OutputDebugStringW(u"b");
    EXPECT_THAT(inner.Lines(), ElementsAre(u"b"));
  }
  OutputDebugStringW(u"c");
  EXPECT_THAT(outer.Lines(), ElementsAre(u"a", u"c"));
}

TEST(DebugOutputTest, MessagesFromManyThreadsArriveWholeAndInOrderPerThread) {
  constexpr int kThreads = 4;
  constexpr int kMessages = 200;
  const DebugOutputCapture capture;
  {
    std::vector<std::future<void>> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.push_back(std::async(std::launch::async, [t] {
        for (int m = 0; m < kMessages; ++m) {
          const std::string text = "thread " + std::to_string(t) + " message " + std::to_string(m);
          OutputDebugStringW(std::u16string(text.begin(), text.end()) + u"\n");
        }
      }));
    }
  }

  const std::vector<std::u16string> lines = capture.Lines();
  ASSERT_EQ(lines.size(), std::size_t{kThreads * kMessages});
  std::vector<int> next(kThreads, 0);
  for (const std::u16string& line : lines) {
    const std::string text(line.begin(), line.end());
    int thread = -1;
    int message = -1;
    ASSERT_EQ(std::sscanf(text.c_str(), "thread %d message %d", &thread, &message), 2) << text;
    ASSERT_TRUE(thread >= 0 && thread < kThreads) << text;
    EXPECT_EQ(message, next[thread]++) << text;
  }
}

TEST(DebugOutputTest, WithoutACaptureEachMessageIsOneUtf8LineOnStderr) {
  ::testing::internal::CaptureStderr();
  OutputDebugStringW(u"Привет");
  OutputDebugStringW(u"done\n");
  const char16_t loneSurrogate[] = {u'x', 0xD800, u'y', 0};
  OutputDebugStringW(loneSurrogate);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Привет\ndone\nx\xEF\xBF\xBDy\n");
}

}  // namespace
