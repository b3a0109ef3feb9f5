// UTF-16/UTF-8 conversion and the code-page-1251 filter.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "engine/platform/text/Cp1251.h"
#include "engine/platform/text/Utf.h"

namespace {

using platform::FilterCp1251;
using platform::FromCp1251;
using platform::ToCp1251;
using platform::Utf16ToUtf8;
using platform::Utf8ToUtf16;

// Copies the text into a heap buffer of exactly its length, with no
// terminator after it, so that AddressSanitizer reports any read past the end.
template <typename Char>
class ExactBuffer {
 public:
  explicit ExactBuffer(std::basic_string_view<Char> text) : units_(text.begin(), text.end()) {}
  std::basic_string_view<Char> view() const { return {units_.data(), units_.size()}; }

 private:
  std::vector<Char> units_;
};

std::string Hex(std::string_view bytes) {
  std::string out;
  for (const char byte : bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const auto value = static_cast<unsigned char>(byte);
    out += kDigits[value >> 4];
    out += kDigits[value & 0xF];
    out += ' ';
  }
  return out;
}

std::string Hex(std::u16string_view units) {
  std::string out;
  for (const char16_t unit : units) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%04X ", static_cast<unsigned>(unit));
    out += buffer;
  }
  return out;
}

struct WellFormed {
  std::u16string utf16;
  std::string utf8;
};

TEST(UtfTest, WellFormedTextConvertsBothWays) {
  const std::vector<WellFormed> cases = {
      {u"", ""},
      {u"Az 09", "Az 09"},
      {std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
      {u"\u0080", "\xC2\x80"},                        // first two-byte value
      {u"Ж", "\xD0\x96"},                             // U+0416
      {u"\u07FF", "\xDF\xBF"},                        // last two-byte value
      {u"\u0800", "\xE0\xA0\x80"},                    // first three-byte value
      {u"€", "\xE2\x82\xAC"},                         // U+20AC
      {u"中", "\xE4\xB8\xAD"},                        // U+4E2D
      {u"\uD7FF\uE000", "\xED\x9F\xBF\xEE\x80\x80"},  // either side of the surrogates
      {u"\uFFFF", "\xEF\xBF\xBF"},
      {u"\U00010000", "\xF0\x90\x80\x80"},  // first surrogate pair
      {u"😀", "\xF0\x9F\x98\x80"},           // U+1F600
      {u"\U0010FFFF", "\xF4\x8F\xBF\xBF"},  // last code point
      {u"Лист № 😀.pst", "\xD0\x9B\xD0\xB8\xD1\x81\xD1\x82 \xE2\x84\x96 \xF0\x9F\x98\x80.pst"},
  };
  for (const WellFormed& c : cases) {
    SCOPED_TRACE(Hex(c.utf16));
    EXPECT_EQ(Hex(Utf16ToUtf8(ExactBuffer<char16_t>(c.utf16).view())), Hex(c.utf8));
    EXPECT_EQ(Hex(Utf8ToUtf16(ExactBuffer<char>(c.utf8).view())), Hex(c.utf16));
  }
}

TEST(UtfTest, EveryCodePointSurvivesTheRoundTrip) {
  std::u16string all;
  std::size_t expectedUtf8Size = 0;
  for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    if (cp < 0x10000) {
      all += static_cast<char16_t>(cp);
    } else {
      all += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      all += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
    expectedUtf8Size += cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
  }
  const std::string utf8 = Utf16ToUtf8(all);
  EXPECT_EQ(utf8.size(), expectedUtf8Size);
  EXPECT_TRUE(Utf8ToUtf16(utf8) == all);
}

struct IllFormed16 {
  std::u16string input;
  std::u16string decoded;  // what survives a trip through UTF-8
};

TEST(UtfTest, LoneSurrogatesBecomeReplacementCharacters) {
  const std::vector<IllFormed16> cases = {
      {u"a\xD83D", u"a\uFFFD"},             // high surrogate at the very end
      {u"\xD83Dz", u"\uFFFDz"},             // high surrogate before a non-surrogate
      {u"\xDE00z", u"\uFFFDz"},             // low surrogate alone
      {u"\xDE00\xD83D", u"\uFFFD\uFFFD"},   // a pair in the wrong order
      {u"\xD83D\xD83D\xDE00", u"\uFFFD😀"},  // a high surrogate, then a whole pair
  };
  for (const IllFormed16& c : cases) {
    SCOPED_TRACE(Hex(c.input));
    const std::string utf8 = Utf16ToUtf8(ExactBuffer<char16_t>(c.input).view());
    EXPECT_EQ(Hex(Utf8ToUtf16(utf8)), Hex(c.decoded));
  }
}

struct IllFormed8 {
  std::string input;
  std::u16string decoded;
};

TEST(UtfTest, IllFormedUtf8BecomesOneReplacementPerMaximalSubpart) {
  const std::vector<IllFormed8> cases = {
      {"\x80", u"\uFFFD"},  // stray continuation byte
      {"a\xBF\xBFz", u"a\uFFFD\uFFFDz"},
      {"\xC2", u"\uFFFD"},  // truncated at the end of input
      {"\xE2\x82", u"\uFFFD"},
      {"\xF0\x9F\x98", u"\uFFFD"},
      {"\xE2\x82z", u"\uFFFDz"},             // cut short by an ASCII letter
      {"\xF0\x9F\xE2\x82\xAC", u"\uFFFD€"},  // cut short by another sequence
      {"\xC0\x80", u"\uFFFD\uFFFD"},         // overlong forms
      {"\xC1\xBF", u"\uFFFD\uFFFD"},
      {"\xE0\x80\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"\xF0\x8F\xBF\xBF", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
      {"\xF5\x80", u"\uFFFD\uFFFD"},
      {"\xFE\xFF", u"\uFFFD\uFFFD"},
  };
  for (const IllFormed8& c : cases) {
    SCOPED_TRACE(Hex(c.input));
    EXPECT_EQ(Hex(Utf8ToUtf16(ExactBuffer<char>(c.input).view())), Hex(c.decoded));
  }
}

struct Cp1251Case {
  std::u16string text;
  std::string bytes;
};

TEST(Cp1251Test, CharactersMapToTheirBytesAndTheRestToQuestionMarks) {
  const std::vector<Cp1251Case> cases = {
      {u"Az 09?'", "Az 09?'"},
      {std::u16string(u"\0", 1), std::string("\0", 1)},
      {u"АБЯабя", "\xC0\xC1\xDF\xE0\xE1\xFF"},
      {u"Ёё", "\xA8\xB8"},
      {u"«»№", "\xAB\xBB\xB9"},
      {u"ЂЃ‚ѓ„…†‡€‰Љ‹ЊЌЋЏ", "\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F"},
      {u"ђ‘’“”•–—™љ›њќћџ", "\x90\x91\x92\x93\x94\x95\x96\x97\x99\x9A\x9B\x9C\x9D\x9E\x9F"},
      {u"\u00A0ЎўЈ¤Ґ¦§©Є¬\u00AD®Ї", "\xA0\xA1\xA2\xA3\xA4\xA5\xA6\xA7\xA9\xAA\xAC\xAD\xAE\xAF"},
      {u"°±Ііґµ¶·єјЅѕї", "\xB0\xB1\xB2\xB3\xB4\xB5\xB6\xB7\xBA\xBC\xBD\xBE\xBF"},
      {u"say \"hi\"", "say 'hi'"},   // the double quote becomes an apostrophe
      {u"中é\u0098\uFFFD", "????"},  // characters the code page lacks
      {u"a😀b", "a?b"},               // a surrogate pair is one character
      {u"\xD83Dz\xDE00", "?z?"},     // lone surrogates
  };
  for (const Cp1251Case& c : cases) {
    SCOPED_TRACE(Hex(c.text));
    EXPECT_EQ(Hex(ToCp1251(ExactBuffer<char16_t>(c.text).view())), Hex(c.bytes));
  }
}

TEST(Cp1251Test, EveryDefinedByteRoundTripsAndTheUndefinedOneIsReplaced) {
  for (int value = 0; value < 0x100; ++value) {
    const std::string byte(1, static_cast<char>(value));
    SCOPED_TRACE(Hex(byte));
    const std::u16string text = FromCp1251(byte);
    ASSERT_EQ(text.size(), 1u);
    if (value == 0x98) {
      EXPECT_EQ(text, u"\uFFFD");
    } else if (value == '"') {
      EXPECT_EQ(ToCp1251(text), "'");
    } else {
      EXPECT_EQ(Hex(ToCp1251(text)), Hex(byte));
    }
  }
}

TEST(Cp1251Test, TheFilterKeepsExactlyTheCharactersOfTheCodePage) {
  // 255 defined bytes, less the double quote, which does not survive.
  int kept = 0;
  for (int value = 0; value < 0x10000; ++value) {
    const std::u16string unit(1, static_cast<char16_t>(value));
    const std::u16string filtered = FilterCp1251(unit);
    if (filtered == unit) {
      ++kept;
    } else if (value != '"') {
      EXPECT_EQ(filtered, u"?") << Hex(unit);
    }
  }
  EXPECT_EQ(kept, 254);

  EXPECT_EQ(FilterCp1251(u"Лист \"Осень\" — 中文 😀.pst"), u"Лист 'Осень' — ?? ?.pst");
}

}  // namespace
