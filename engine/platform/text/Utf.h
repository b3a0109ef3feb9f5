#pragma once

#include <string>
#include <string_view>

namespace platform {

// Conversions between the engine's UTF-16 text (char16_t, the same unit as
// Xerces-C's XMLCh) and the UTF-8 that Linux file names, terminals and most
// libraries use. Neither ever fails: whatever cannot be decoded becomes
// U+FFFD, and neither reads outside the input.

// A surrogate that is not part of a high-low pair becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Ill-formed UTF-8 (stray continuation bytes, truncated or overlong
// sequences, encoded surrogates, values above U+10FFFF, bytes C0, C1 and
// F5-FF) becomes U+FFFD, one for each maximal ill-formed subpart, as Unicode
// recommends: "\xE2\x82" is one U+FFFD, "\xC0\x80" is two.
std::u16string Utf8ToUtf16(std::string_view text);

}  // namespace platform
