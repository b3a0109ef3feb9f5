#pragma once

#include <string>
#include <string_view>

namespace platform {

// The Windows-1251 (Cyrillic) code page. The program passes file names and
// worksheet names through it, so that whatever it stores can also be stored
// by the systems that only know this code page.

// Converts to 1251 bytes. Each character the code page has becomes its byte;
// any other character becomes '?' (a surrogate pair, being one character,
// becomes one '?'; so does a lone surrogate). The double quote '"' becomes an
// apostrophe '\'', since a double quote cannot appear in a file name there.
std::string ToCp1251(std::u16string_view text);

// Converts 1251 bytes back. Byte 0x98, the one byte the code page leaves
// undefined, becomes U+FFFD, so it stays recognisable as an error; ToCp1251
// never produces it.
std::u16string FromCp1251(std::string_view bytes);

// FromCp1251(ToCp1251(text)): the text as it survives the code page.
std::u16string FilterCp1251(std::u16string_view text);

}  // namespace platform
