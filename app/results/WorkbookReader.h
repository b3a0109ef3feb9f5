#pragma once

#include <string>
#include <string_view>
#include <xercesc/dom/DOMDocument.hpp>

#include "app/results/XercesPtr.h"

namespace results {

// A parsed workbook, or why the bytes are not one.
struct ParsedWorkbook {
  XercesPtr<xercesc::DOMDocument> document;  // null when `problem` says why
  std::u16string problem;
};

// Parses `bytes` as an XML Spreadsheet workbook, with a session of the XML
// library open. The document must stand on its own: nothing outside the
// bytes is ever read, since a workbook file must not be able to pull other
// files of the machine into itself and from there into a print or a saved
// copy. So no external DTD is loaded and no external entity resolved, entity
// expansion stops at once, and a document type declaration alone (which no
// spreadsheet writes) makes the bytes unacceptable.
//
// Returns the document when the bytes are well-formed XML without a
// document type declaration whose root element is "Workbook"; otherwise no
// document and the problem in one line. `sourceId` names the bytes in the
// parser's messages.
ParsedWorkbook ParseWorkbook(std::string_view bytes, const char16_t* sourceId);

}  // namespace results
