// The tables the build makes from the data folders (here from
// tests/data/embedded).

#include <gtest/gtest.h>

#include <string>

#include "engine/platform/resources/EmbeddedData.h"

namespace {

std::string Text(std::span<const uint8_t> bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(EmbeddedData, FindsNumberedResourcesByNumber) {
  struct Case {
    uint16_t id;
    const char* text;  // null: absent
  } cases[] = {{7, "seven"}, {300, "three hundred"}, {65535, "last"}, {0, nullptr},
               {8, nullptr}, {299, nullptr}, {301, nullptr}};
  for (const auto& c : cases) {
    const auto found = platform::FindNumberedResource(c.id);
    if (c.text) {
      ASSERT_TRUE(found) << c.id;
      EXPECT_EQ(Text(*found), c.text) << c.id;
    } else {
      EXPECT_FALSE(found) << c.id;
    }
  }
  // Sorted numerically, not as text ("300" before "65535" before "7").
  const auto all = platform::NumberedResources();
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].id, 7);
  EXPECT_EQ(all[2].id, 65535);
}

TEST(EmbeddedData, FindsNamedDataByExactName) {
  // Names that begin with one another are all found: the table is sorted
  // by the names alone.
  EXPECT_EQ(Text(*platform::FindNamedData(u"Alph")), "p");
  EXPECT_EQ(Text(*platform::FindNamedData(u"Alpha")), "A");
  EXPECT_EQ(Text(*platform::FindNamedData(u"Alpha_b")), "q");
  EXPECT_EQ(Text(*platform::FindNamedData(u"beta_2")), "b2");
  EXPECT_EQ(Text(*platform::FindNamedData(u"Zeta")), "x");
  const auto empty = platform::FindNamedData(u"empty");
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->empty());
  for (std::u16string_view absent : {u"alpha", u"Alpha.txt", u"", u"Al", u"Alphas"}) {
    EXPECT_FALSE(platform::FindNamedData(absent)) << std::string(absent.begin(), absent.end());
  }
}

}  // namespace
