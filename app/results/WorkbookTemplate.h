#pragma once

#include <string_view>

namespace results {

// The source identifier under which the template is parsed; the parser's
// messages about it name it so.
inline constexpr char16_t kEmptyXmlSourceId[] = u"EmptyXML";

// The workbook every statistics file starts from: an XML Spreadsheet 2003
// document with its document properties, window settings and three styles,
// and no worksheet yet. The view holds the template's 1 322 ASCII characters
// followed by their zero byte, 1 323 bytes in all, and the parser is handed
// every one of them.
std::string_view EmptyXml();

}  // namespace results
