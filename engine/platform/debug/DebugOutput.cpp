#include "engine/platform/debug/DebugOutput.h"

#include <cassert>
#include <cstdio>
#include <mutex>

#include "engine/platform/text/Utf.h"

namespace platform {

namespace {

// One lock for the whole trace: it orders the lines on stderr and guards the
// stack of captures together with what they collect.
std::mutex& TraceMutex() {
  static std::mutex mutex;
  return mutex;
}

// The newest live capture, or nullptr when messages go to stderr.
DebugOutputCapture* activeCapture = nullptr;

}  // namespace

void OutputDebugStringW(std::u16string_view text) {
  const bool endsWithNewline = !text.empty() && text.back() == u'\n';
  const std::u16string_view line = endsWithNewline ? text.substr(0, text.size() - 1) : text;

  const std::lock_guard guard(TraceMutex());
  if (activeCapture != nullptr) {
    activeCapture->lines_.emplace_back(line);
    return;
  }
  // One write per line, under the lock, keeps lines from different threads
  // whole.
  std::string utf8 = Utf16ToUtf8(line);
  utf8 += '\n';
  std::fwrite(utf8.data(), 1, utf8.size(), stderr);
  std::fflush(stderr);
}

void OutputDebugStringW(const char16_t* text) {
  assert(text != nullptr);
  OutputDebugStringW(std::u16string_view(text));
}

DebugOutputCapture::DebugOutputCapture() {
  const std::lock_guard guard(TraceMutex());
  previous_ = activeCapture;
  activeCapture = this;
}

DebugOutputCapture::~DebugOutputCapture() {
  const std::lock_guard guard(TraceMutex());
  assert(activeCapture == this && "DebugOutputCapture scopes must end in reverse order");
  activeCapture = previous_;
}

std::vector<std::u16string> DebugOutputCapture::Lines() const {
  const std::lock_guard guard(TraceMutex());
  return lines_;
}

}  // namespace platform
