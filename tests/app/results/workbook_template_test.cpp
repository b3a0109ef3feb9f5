// The template every statistics file starts from, byte for byte.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/results/WorkbookTemplate.h"

namespace {

// The pieces spelled out once more, apart from the program's own table, so
// that a slip in either shows.
const std::vector<std::string> kExpectedPieces = {
    "<?xml version=\"1.0\"?>",
    "<?mso-application progid=\"Excel.Sheet\"?>",
    "<Workbook xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\"",
    "xmlns:o=\"urn:schemas-microsoft-com:office:office\"",
    "xmlns:x=\"urn:schemas-microsoft-com:office:excel\"",
    "xmlns:ss=\"urn:schemas-microsoft-com:office:spreadsheet\"",
    "xmlns:html=\"http://www.w3.org/TR/REC-html40\">",
    "<DocumentProperties xmlns=\"urn:schemas-microsoft-com:office:office\">",
    "<Version>11.6360</Version>",
    "</DocumentProperties>",
    "<ExcelWorkbook xmlns=\"urn:schemas-microsoft-com:office:excel\">",
    "<WindowHeight>10005</WindowHeight>",
    "<WindowWidth>10005</WindowWidth>",
    "<WindowTopX>120</WindowTopX>",
    "<WindowTopY>135</WindowTopY>",
    "<ProtectStructure>False</ProtectStructure>",
    "<ProtectWindows>False</ProtectWindows>",
    "</ExcelWorkbook>",
    "<Styles>",
    "<Style ss:ID=\"Default\" ss:Name=\"Normal\">",
    "<Alignment ss:Vertical=\"Bottom\"/>",
    "<Borders/>",
    "<Font ss:FontName=\"Arial Cyr\" x:CharSet=\"204\"/>",
    "<Interior/>",
    "<NumberFormat/>",
    "<Protection/>",
    "</Style>",
    "<Style ss:ID=\"s21\">",
    "<NumberFormat ss:Format=\"Short Date\"/>",
    "</Style>",
    "<Style ss:ID=\"s22\">",
    "<NumberFormat ss:Format=\"Short Time\"/>",
    "</Style>",
    "</Styles>",
    "</Workbook>",
};

TEST(WorkbookTemplateTest, IsTheThirtyFivePiecesJoinedBySevenTabsAndASpaceThenAZeroByte) {
  std::string expected;
  for (const std::string& piece : kExpectedPieces) {
    if (!expected.empty()) expected += "\t\t\t\t\t\t\t ";
    expected += piece;
  }
  ASSERT_EQ(kExpectedPieces.size(), 35u);
  ASSERT_EQ(expected.size(), 1322u);

  const std::string_view text = results::EmptyXml();
  ASSERT_EQ(text.size(), 1323u);
  EXPECT_EQ(text.substr(0, 1322), expected);
  EXPECT_EQ(text.back(), '\0');
  for (const char c : text.substr(0, 1322)) {
    EXPECT_TRUE(static_cast<unsigned char>(c) < 0x80 && c != '\0') << "not plain ASCII";
  }
}

}  // namespace
