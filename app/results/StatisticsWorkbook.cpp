#include "app/results/StatisticsWorkbook.h"

#include <cassert>
#include <string>
#include <xercesc/dom/DOM.hpp>
#include <xercesc/framework/XMLFormatter.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/XMLException.hpp>

#include "app/results/LocalTimeText.h"
#include "app/results/StatisticsCaptions.h"
#include "app/results/WorkbookFile.h"
#include "app/results/WorkbookReader.h"
#include "app/results/WorkbookTemplate.h"
#include "engine/platform/clock/CurrentClock.h"
#include "engine/platform/debug/DebugOutput.h"
#include "engine/platform/text/Cp1251.h"
#include "engine/platform/text/Utf.h"

namespace fs = std::filesystem;
using xercesc::DOMElement;
using xercesc::DOMNode;

namespace {

// Text as the workbook stores it: through code page 1251, and with every
// control character (which XML 1.0 cannot carry, or which it would turn into
// a space in a name and so lose the sheet) shown as "?" too.
std::u16string ForWorkbook(std::u16string_view text) {
  std::u16string filtered = platform::FilterCp1251(text);
  for (char16_t& unit : filtered) {
    if (unit < 0x20) unit = u'?';
  }
  return filtered;
}

// Only the file name is the program's own text; the folders in front of it
// are named by the system or the user and must stay as they are, or a home
// folder with a letter outside the code page could never be written to.
fs::path ToFileSystemPath(std::u16string_view path) {
  const std::size_t slash = path.rfind(u'/');
  const std::size_t nameStart = slash == std::u16string_view::npos ? 0 : slash + 1;
  return fs::path(platform::Utf16ToUtf8(path.substr(0, nameStart)) +
                  platform::Utf16ToUtf8(ForWorkbook(path.substr(nameStart))));
}

bool HasName(const DOMNode* node, std::u16string_view name) {
  return node->getNodeType() == DOMNode::ELEMENT_NODE &&
         std::u16string_view(static_cast<const DOMElement*>(node)->getTagName()) == name;
}

// The node after `node` in document order among the nodes below `top`, or
// null after the last. Walking the tree this way, rather than through the
// library's live node lists, keeps a long table at one pass.
const DOMNode* NextBelow(const DOMNode* node, const DOMNode* top) {
  if (node->getFirstChild() != nullptr) return node->getFirstChild();
  while (node != top && node->getNextSibling() == nullptr) node = node->getParentNode();
  return node == top ? nullptr : node->getNextSibling();
}

template <typename Visit>
void ForEachElementBelow(const DOMNode* top, std::u16string_view name, Visit&& visit) {
  for (const DOMNode* node = top->getFirstChild(); node != nullptr; node = NextBelow(node, top)) {
    if (HasName(node, name)) visit(static_cast<const DOMElement*>(node));
  }
}

DOMElement* FirstElementBelow(DOMElement* top, std::u16string_view name) {
  for (const DOMNode* node = top->getFirstChild(); node != nullptr; node = NextBelow(node, top)) {
    if (HasName(node, name)) return static_cast<DOMElement*>(const_cast<DOMNode*>(node));
  }
  return nullptr;
}

// Collects the serializer's output in memory, so that the file is written
// in one piece and only once the whole document is known to be writable.
class StringTarget final : public xercesc::XMLFormatTarget {
 public:
  void writeChars(const XMLByte* const bytes, const XMLSize_t count,
                  xercesc::XMLFormatter* const) override {
    text_.append(reinterpret_cast<const char*>(bytes), count);
  }
  std::string& Text() { return text_; }

 private:
  std::string text_;
};

void Report(const std::u16string& line) { platform::OutputDebugStringW(u"Statistics: " + line); }

}  // namespace

StatisticsWorkbook::StatisticsWorkbook(std::u16string_view path, std::u16string_view sheetName)
    : path_(ToFileSystemPath(path)),
      sheetName_(ForWorkbook(sheetName)),
      implementation_(xercesc::DOMImplementationRegistry::getDOMImplementation(u"LS")) {
  assert(implementation_ != nullptr);
  assert(!sheetName.empty() && "the shell opens no workbook for a pupil without a name");
  document_ = Load();
  worksheet_ = FindWorksheet();
  if (worksheet_ == nullptr) worksheet_ = AppendWorksheet();
  table_ = FirstElementBelow(worksheet_, u"Table");
}

StatisticsWorkbook::~StatisticsWorkbook() = default;

void StatisticsWorkbook::AddRow(std::u16string_view caption, std::u16string_view value,
                                std::u16string_view type) {
  DOMElement* row = AppendElement(Table(), u"Row");
  AppendCell(row, results::kStringType, caption);
  AppendCell(row, type, value);
}

void StatisticsWorkbook::AddEmptyRow() { AppendElement(Table(), u"Row"); }

bool StatisticsWorkbook::Save(std::u16string_view path) {
  const fs::path target = path.empty() ? path_ : ToFileSystemPath(path);
  std::error_code error;
  if (unreadableFileInPlace_ && (target == path_ || fs::equivalent(target, path_, error))) {
    const std::variant<fs::path, results::FileFailure> moved = SetAside();
    if (const auto* failure = std::get_if<results::FileFailure>(&moved)) {
      Report(u"not saved over the unreadable file " + platform::Utf8ToUtf16(path_.native()) +
             u": " + failure->Describe());
      return false;
    }
  }
  std::string bytes;
  if (!Serialize(bytes)) {
    Report(u"not saved to " + platform::Utf8ToUtf16(target.native()) +
           u": the document cannot be written as XML");
    return false;
  }
  if (const std::optional<results::FileFailure> failure =
          results::ReplaceFileContents(target, bytes)) {
    Report(u"not saved: " + failure->Describe());
    return false;
  }
  return true;
}

std::u16string StatisticsWorkbook::GetPath() const { return platform::Utf8ToUtf16(path_.native()); }

std::vector<std::vector<std::u16string>> StatisticsWorkbook::Rows() const {
  std::vector<std::vector<std::u16string>> rows;
  if (table_ == nullptr) return rows;
  ForEachElementBelow(table_, u"Row", [&rows](const DOMElement* row) {
    std::vector<std::u16string>& cells = rows.emplace_back();
    ForEachElementBelow(row, u"Data", [&cells](const DOMElement* data) {
      cells.emplace_back(data->getTextContent());
    });
  });
  return rows;
}

results::XercesPtr<xercesc::DOMDocument> StatisticsWorkbook::Load() {
  const results::FileContents file = results::ReadWholeFile(path_);
  switch (file.status) {
    case results::FileContents::Status::kMissing:
      break;
    case results::FileContents::Status::kNotAFile:
      Report(GetPath() + u" is not a file; it is left alone");
      break;
    case results::FileContents::Status::kFailed:
      SetAsideUnreadable(file.failure->Describe());
      break;
    case results::FileContents::Status::kRead: {
      const std::u16string sourceId = GetPath();
      results::ParsedWorkbook parsed = results::ParseWorkbook(file.bytes, sourceId.c_str());
      if (parsed.document != nullptr) return std::move(parsed.document);
      SetAsideUnreadable(parsed.problem);
      break;
    }
  }
  return LoadTemplate();
}

results::XercesPtr<xercesc::DOMDocument> StatisticsWorkbook::LoadTemplate() const {
  results::ParsedWorkbook parsed =
      results::ParseWorkbook(results::EmptyXml(), results::kEmptyXmlSourceId);
  assert(parsed.document != nullptr && "the template is a workbook");
  return std::move(parsed.document);
}

std::variant<fs::path, results::FileFailure> StatisticsWorkbook::SetAside() {
  std::variant<fs::path, results::FileFailure> moved =
      results::MoveFileAside(path_, results::FormatFileStamp(platform::CurrentTime()));
  unreadableFileInPlace_ = std::holds_alternative<results::FileFailure>(moved);
  return moved;
}

void StatisticsWorkbook::SetAsideUnreadable(std::u16string_view reason) {
  const std::u16string what = GetPath() + u" is unreadable (" + std::u16string(reason) + u")";
  const std::variant<fs::path, results::FileFailure> moved = SetAside();
  if (const auto* newPath = std::get_if<fs::path>(&moved)) {
    Report(what + u"; kept as " + platform::Utf8ToUtf16(newPath->native()));
  } else {
    Report(what + u" and stays in place: " + std::get<results::FileFailure>(moved).Describe());
  }
}

bool StatisticsWorkbook::Serialize(std::string& bytes) const {
  // The writer's defaults: UTF-8 with an XML declaration and no reformatting,
  // so the template's separators stay as they are.
  const results::XercesPtr<xercesc::DOMLSSerializer> writer(implementation_->createLSSerializer());
  const results::XercesPtr<xercesc::DOMLSOutput> output(implementation_->createLSOutput());
  StringTarget target;
  output->setByteStream(&target);
  try {
    if (!writer->write(document_.get(), output.get())) return false;
  } catch (const xercesc::XMLException&) {
    return false;
  } catch (const xercesc::DOMException&) {
    return false;
  } catch (const xercesc::OutOfMemoryException&) {
    return false;
  }
  bytes = std::move(target.Text());
  return true;
}

DOMElement* StatisticsWorkbook::FindWorksheet() const {
  // Only the root's own children are worksheets of the workbook.
  for (DOMNode* node = document_->getDocumentElement()->getFirstChild(); node != nullptr;
       node = node->getNextSibling()) {
    if (!HasName(node, u"Worksheet")) continue;
    auto* worksheet = static_cast<DOMElement*>(node);
    if (std::u16string_view(worksheet->getAttribute(u"ss:Name")) == sheetName_) return worksheet;
  }
  return nullptr;
}

DOMElement* StatisticsWorkbook::AppendWorksheet() {
  DOMElement* worksheet = AppendElement(document_->getDocumentElement(), u"Worksheet");
  worksheet->setAttribute(u"ss:Name", sheetName_.c_str());
  DOMElement* table = AppendElement(worksheet, u"Table");
  // The caption column and the value column, wide enough for their texts.
  for (const char16_t* width : {u"240", u"96"}) {
    DOMElement* column = AppendElement(table, u"Column");
    column->setAttribute(u"ss:AutoFitWidth", u"0");
    column->setAttribute(u"ss:Width", width);
  }
  return worksheet;
}

DOMElement* StatisticsWorkbook::Table() {
  if (table_ == nullptr) table_ = AppendElement(worksheet_, u"Table");
  return table_;
}

DOMElement* StatisticsWorkbook::AppendElement(DOMElement* parent, const char16_t* name) {
  // Qualified names without namespace processing: the root's declarations
  // give the prefixes their meaning when a spreadsheet program reads them.
  DOMElement* element = document_->createElement(name);
  parent->appendChild(element);
  return element;
}

void StatisticsWorkbook::AppendCell(DOMElement* row, std::u16string_view type,
                                    std::u16string_view text) {
  DOMElement* data = AppendElement(AppendElement(row, u"Cell"), u"Data");
  data->setAttribute(u"ss:Type", ForWorkbook(type).c_str());
  data->appendChild(document_->createTextNode(ForWorkbook(text).c_str()));
}
