#include "app/results/WorkbookReader.h"

#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax/ErrorHandler.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLException.hpp>

namespace results {

namespace {

// Keeps the first fatal error. Without a handler of its own the parser
// would report nothing, and a damaged file would look like a short one.
class FirstError final : public xercesc::ErrorHandler {
 public:
  void warning(const xercesc::SAXParseException&) override {}
  void error(const xercesc::SAXParseException& e) override { Keep(e); }
  void fatalError(const xercesc::SAXParseException& e) override { Keep(e); }
  void resetErrors() override { message_.clear(); }

  bool Failed() const { return !message_.empty(); }
  const std::u16string& Message() const { return message_; }

 private:
  void Keep(const xercesc::SAXParseException& e) {
    if (Failed()) return;
    message_ = u"line " + ToText(e.getLineNumber()) + u": " + e.getMessage();
  }
  static std::u16string ToText(XMLFileLoc number) {
    const std::string digits = std::to_string(number);
    return std::u16string(digits.begin(), digits.end());
  }

  std::u16string message_;
};

}  // namespace

ParsedWorkbook ParseWorkbook(std::string_view bytes, const char16_t* sourceId) {
  xercesc::XercesDOMParser parser;
  FirstError errors;
  parser.setErrorHandler(&errors);
  parser.setLoadExternalDTD(false);
  // With no entity resolver of ours, this leaves every external entity
  // unresolved, which the parser reports as a fatal error.
  parser.setDisableDefaultEntityResolution(true);
  xercesc::SecurityManager limits;
  limits.setEntityExpansionLimit(0);
  parser.setSecurityManager(&limits);

  const xercesc::MemBufInputSource source(reinterpret_cast<const XMLByte*>(bytes.data()),
                                          bytes.size(), sourceId);
  try {
    parser.parse(source);
  } catch (const xercesc::XMLException& e) {
    return {nullptr, e.getMessage()};
  } catch (const xercesc::OutOfMemoryException&) {
    return {nullptr, u"out of memory"};
  }
  if (errors.Failed()) return {nullptr, errors.Message()};

  XercesPtr<xercesc::DOMDocument> document(parser.adoptDocument());
  if (document == nullptr) return {nullptr, u"no document"};
  if (document->getDoctype() != nullptr) return {nullptr, u"a document type declaration"};
  const xercesc::DOMElement* root = document->getDocumentElement();
  if (root == nullptr || std::u16string_view(root->getTagName()) != u"Workbook") {
    return {nullptr, u"no Workbook root element"};
  }
  return {std::move(document), {}};
}

}  // namespace results
