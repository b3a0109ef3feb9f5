#include "engine/platform/text/Cp1251.h"

#include <array>
#include <cstdint>

namespace platform {

namespace {

// What the undefined byte 0x98 decodes to.
constexpr char16_t kUndefined = 0xFFFD;

// Bytes 0x80-0xBF; 0xC0-0xFF are U+0410-U+044F (А..я) and 0x00-0x7F are ASCII.
constexpr std::array<char16_t, 64> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80 Ђ Ѓ ‚ ѓ „ … † ‡
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88 € ‰ Љ ‹ Њ Ќ Ћ Џ
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90 ђ ‘ ’ “ ” • – —
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98 (undefined) ™ љ › њ ќ ћ џ
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0 NBSP Ў ў Ј ¤ Ґ ¦ §
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8 Ё © Є « ¬ SHY ® Ї
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0 ° ± І і ґ µ ¶ ·
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8 ё № є » ј Ѕ ѕ ї
};

constexpr char16_t ByteToUnit(std::uint8_t byte) {
  if (byte < 0x80) return byte;
  if (byte < 0xC0) return kHighHalf[byte - 0x80];
  return static_cast<char16_t>(0x0410 + (byte - 0xC0));
}

// For every UTF-16 code unit, its byte, or 0 if the code page lacks it (U+0000
// itself is handled by the caller). Built at compile time from the table above.
constexpr std::array<std::uint8_t, 0x10000> BuildReverse() {
  std::array<std::uint8_t, 0x10000> reverse{};
  for (int byte = 1; byte < 0x100; ++byte) {
    const char16_t unit = ByteToUnit(static_cast<std::uint8_t>(byte));
    if (unit != kUndefined) reverse[unit] = static_cast<std::uint8_t>(byte);
  }
  return reverse;
}

constexpr std::array<std::uint8_t, 0x10000> kReverse = BuildReverse();

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::string ToCp1251(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit == u'"') {
      out += '\'';
    } else if (unit == 0) {
      out += '\0';
    } else if (const std::uint8_t byte = kReverse[unit]; byte != 0) {
      out += static_cast<char>(byte);
    } else {
      // A pair encodes one character the code page lacks: one '?' for both.
      if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
      out += '?';
    }
  }
  return out;
}

std::u16string FromCp1251(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (const char byte : bytes) out += ByteToUnit(static_cast<std::uint8_t>(byte));
  return out;
}

std::u16string FilterCp1251(std::u16string_view text) { return FromCp1251(ToCp1251(text)); }

}  // namespace platform
