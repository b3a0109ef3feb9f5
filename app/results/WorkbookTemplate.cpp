#include "app/results/WorkbookTemplate.h"

#include <array>
#include <cstddef>
#include <iterator>

namespace results {

namespace {

// Between two pieces of the template stand seven tabs and a space, and
// nothing else. Inside the root's start tag that separator is also what
// divides its namespace declarations.
constexpr std::string_view kSeparator = "\t\t\t\t\t\t\t ";

constexpr std::string_view kPieces[] = {
    R"(<?xml version="1.0"?>)",
    R"(<?mso-application progid="Excel.Sheet"?>)",
    // The root's start tag runs over the next five pieces.
    R"(<Workbook xmlns="urn:schemas-microsoft-com:office:spreadsheet")",
    R"(xmlns:o="urn:schemas-microsoft-com:office:office")",
    R"(xmlns:x="urn:schemas-microsoft-com:office:excel")",
    R"(xmlns:ss="urn:schemas-microsoft-com:office:spreadsheet")",
    R"(xmlns:html="http://www.w3.org/TR/REC-html40">)",
    R"(<DocumentProperties xmlns="urn:schemas-microsoft-com:office:office">)",
    R"(<Version>11.6360</Version>)",
    R"(</DocumentProperties>)",
    R"(<ExcelWorkbook xmlns="urn:schemas-microsoft-com:office:excel">)",
    R"(<WindowHeight>10005</WindowHeight>)",
    R"(<WindowWidth>10005</WindowWidth>)",
    R"(<WindowTopX>120</WindowTopX>)",
    R"(<WindowTopY>135</WindowTopY>)",
    R"(<ProtectStructure>False</ProtectStructure>)",
    R"(<ProtectWindows>False</ProtectWindows>)",
    R"(</ExcelWorkbook>)",
    R"(<Styles>)",
    R"(<Style ss:ID="Default" ss:Name="Normal">)",
    R"(<Alignment ss:Vertical="Bottom"/>)",
    R"(<Borders/>)",
    R"(<Font ss:FontName="Arial Cyr" x:CharSet="204"/>)",
    R"(<Interior/>)",
    R"(<NumberFormat/>)",
    R"(<Protection/>)",
    R"(</Style>)",
    R"(<Style ss:ID="s21">)",
    R"(<NumberFormat ss:Format="Short Date"/>)",
    R"(</Style>)",
    R"(<Style ss:ID="s22">)",
    R"(<NumberFormat ss:Format="Short Time"/>)",
    R"(</Style>)",
    R"(</Styles>)",
    R"(</Workbook>)",
};
static_assert(std::size(kPieces) == 35);

constexpr std::size_t JoinedLength() {
  std::size_t length = kSeparator.size() * (std::size(kPieces) - 1);
  for (const std::string_view piece : kPieces) length += piece.size();
  return length;
}
static_assert(JoinedLength() == 1322);

// The pieces joined at compile time, with the zero byte after them.
constexpr std::array<char, JoinedLength() + 1> Join() {
  std::array<char, JoinedLength() + 1> text{};
  std::size_t at = 0;
  for (std::size_t i = 0; i < std::size(kPieces); ++i) {
    if (i > 0) {
      for (const char c : kSeparator) text[at++] = c;
    }
    for (const char c : kPieces[i]) text[at++] = c;
  }
  text[at] = '\0';
  return text;
}

constexpr std::array<char, JoinedLength() + 1> kEmptyXml = Join();

}  // namespace

std::string_view EmptyXml() { return std::string_view(kEmptyXml.data(), kEmptyXml.size()); }

}  // namespace results
