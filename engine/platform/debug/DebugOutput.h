#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Writes a trace message as one UTF-8 line on stderr, adding the line break
// unless the text already ends with one. Invalid UTF-16 is written as U+FFFD.
// While a DebugOutputCapture is alive, the message goes to it instead.
// Thread-safe: concurrent messages never interleave.
void OutputDebugStringW(std::u16string_view text);
// The same for a NUL-terminated string, which must not be null.
void OutputDebugStringW(const char16_t* text);

// Collects trace messages instead of printing them, for as long as it lives.
// Each message is one entry, without the one trailing line break it may end
// with; a message with inner line breaks stays one entry. When captures are
// nested, the newest one collects, and they must end in reverse order.
// Thread-safe. Not copyable or movable: the trace refers to it.
class DebugOutputCapture {
 public:
  DebugOutputCapture();
  ~DebugOutputCapture();
  DebugOutputCapture(const DebugOutputCapture&) = delete;
  DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

  // The messages collected so far, oldest first.
  std::vector<std::u16string> Lines() const;

 private:
  friend void OutputDebugStringW(std::u16string_view text);

  DebugOutputCapture* previous_;
  std::vector<std::u16string> lines_;
};

}  // namespace platform
