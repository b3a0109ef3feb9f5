#include "engine/platform/text/Utf.h"

#include <cstdint>

namespace platform {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 | (cp >> 10));
    out += static_cast<char16_t>(0xDC00 | (cp & 0x3FF));
  }
}

// What a lead byte promises: how many continuation bytes follow, the value
// bits it carries, and the range the first continuation byte must fall in.
// The narrowed first ranges are what rule out overlong forms, surrogates and
// values above U+10FFFF.
struct Lead {
  int continuations;  // -1: the byte cannot start a sequence
  char32_t bits;
  std::uint8_t firstLow;
  std::uint8_t firstHigh;
};

Lead ClassifyLead(std::uint8_t byte) {
  if (byte >= 0xC2 && byte <= 0xDF) return {1, char32_t{byte} & 0x1Fu, 0x80, 0xBF};
  if (byte == 0xE0) return {2, 0, 0xA0, 0xBF};
  if (byte == 0xED) return {2, 0xD, 0x80, 0x9F};
  if (byte >= 0xE1 && byte <= 0xEF) return {2, char32_t{byte} & 0x0Fu, 0x80, 0xBF};
  if (byte == 0xF0) return {3, 0, 0x90, 0xBF};
  if (byte >= 0xF1 && byte <= 0xF3) return {3, char32_t{byte} & 0x07u, 0x80, 0xBF};
  if (byte == 0xF4) return {3, 4, 0x80, 0x8F};
  return {-1, 0, 0, 0};
}

}  // namespace

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      const char32_t cp = 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      AppendUtf8(out, cp);
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendUtf8(out, kReplacement);
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto byte = static_cast<std::uint8_t>(text[i]);
    if (byte < 0x80) {
      out += static_cast<char16_t>(byte);
      ++i;
      continue;
    }
    const Lead lead = ClassifyLead(byte);
    if (lead.continuations < 0) {
      out += static_cast<char16_t>(kReplacement);
      ++i;
      continue;
    }
    char32_t cp = lead.bits;
    std::uint8_t low = lead.firstLow;
    std::uint8_t high = lead.firstHigh;
    std::size_t next = i + 1;
    bool complete = true;
    for (int k = 0; k < lead.continuations; ++k, ++next) {
      if (next >= text.size()) {
        complete = false;
        break;
      }
      const auto continuation = static_cast<std::uint8_t>(text[next]);
      if (continuation < low || continuation > high) {
        complete = false;
        break;
      }
      cp = (cp << 6) | (continuation & 0x3Fu);
      low = 0x80;
      high = 0xBF;
    }
    // An incomplete sequence is replaced as a whole; the byte that broke it
    // off is not consumed, it starts the next sequence.
    AppendUtf16(out, complete ? cp : kReplacement);
    i = next;
  }
  return out;
}

}  // namespace platform
