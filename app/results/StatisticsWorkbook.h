#pragma once
// StatisticsWorkbook, the statistics of one exercise: an XML Spreadsheet 2003
// document with one worksheet per pupil, in which every run of the exercise
// leaves its rows. The shell keeps the workbook of the current pupil, adds
// the rows of each run and saves the whole document to its file, which keeps
// every earlier run of every pupil; it can also save a copy elsewhere.
//
// Text that goes into the document or into a file name passes through code
// page 1251 first: what the page lacks becomes "?", the double quote an
// apostrophe, and so do the control characters that an XML file cannot
// carry. Folders are the file system's own and stay as they are.

#include <filesystem>
#include <string>
#include <string_view>
#include <variant>
#include <vector>
#include <xercesc/util/XercesDefs.hpp>

#include "app/results/WorkbookFile.h"
#include "app/results/XercesPtr.h"
#include "app/results/XercesSession.h"

XERCES_CPP_NAMESPACE_BEGIN
class DOMDocument;
class DOMElement;
class DOMImplementationLS;
XERCES_CPP_NAMESPACE_END

class StatisticsWorkbook {
 public:
  // Opens the workbook at `path` for the pupil `sheetName`, which must not be
  // empty (a run without a name has no workbook). Whatever is at the path,
  // the workbook opens, and opening never changes the file's content:
  //  - nothing there: the workbook starts from the template, and the first
  //    Save creates the file;
  //  - a workbook: it is read, and its earlier rows stay as they are;
  //  - a file that cannot be read, is not well-formed XML, declares a
  //    document type, or has no Workbook root: it is renamed to
  //    "<path>.unreadable-<local date and time>" (see MoveFileAside), one
  //    debug line says so, and the workbook starts from the template. If it
  //    cannot be renamed it stays, and a Save to the workbook's own path
  //    tries once more and refuses to write over it;
  //  - a folder or another non-file: left alone; the template is used, and
  //    a Save to the own path fails.
  // Then the pupil's worksheet is the first worksheet of that name, or a new
  // one appended with its table and its two columns.
  StatisticsWorkbook(std::u16string_view path, std::u16string_view sheetName);
  // Releases the document without writing it.
  ~StatisticsWorkbook();
  StatisticsWorkbook(const StatisticsWorkbook&) = delete;
  StatisticsWorkbook& operator=(const StatisticsWorkbook&) = delete;

  // Appends a row to the pupil's table: the caption as text, then `value` of
  // the spreadsheet type `type` ("String" or "Number", see
  // StatisticsCaptions.h). A worksheet without a table gets one first.
  void AddRow(std::u16string_view caption, std::u16string_view value, std::u16string_view type);
  // Appends a row without cells, which separates one run from the next.
  void AddEmptyRow();

  // Writes the whole document to `path`, or to the workbook's own path when
  // `path` is empty. The file is replaced in one step (ReplaceFileContents):
  //  - true: the file holds the document as it is now;
  //  - false: nothing was written (a missing or read-only folder, a folder
  //    in the file's place, a full disk, an unreadable file that cannot be
  //    moved aside); the old file is untouched, one debug line says why, and
  //    the document stays in memory, so a later Save may still succeed.
  // Saving elsewhere does not change the workbook's own path.
  bool Save(std::u16string_view path = {});

  // The workbook's own path, as it was given but for the file name's
  // conversion.
  std::u16string GetPath() const;

  // The pupil's rows, oldest first, each as the texts of its cells in order;
  // an empty row has none. Printing puts these on paper, one line per row:
  // Print (device context, header) is meant to lay them out beside this.
  std::vector<std::vector<std::u16string>> Rows() const;

 private:
  results::XercesPtr<xercesc::DOMDocument> Load();
  results::XercesPtr<xercesc::DOMDocument> LoadTemplate() const;
  // Moves the unreadable file at the own path aside, or notes that it stays.
  std::variant<std::filesystem::path, results::FileFailure> SetAside();
  // The same at opening, with the one debug line that tells what happened.
  void SetAsideUnreadable(std::u16string_view reason);
  bool Serialize(std::string& bytes) const;
  xercesc::DOMElement* FindWorksheet() const;
  xercesc::DOMElement* AppendWorksheet();
  xercesc::DOMElement* Table();
  xercesc::DOMElement* AppendElement(xercesc::DOMElement* parent, const char16_t* name);
  void AppendCell(xercesc::DOMElement* row, std::u16string_view type, std::u16string_view text);

  // First, so that the library outlives the document.
  results::XercesSession xerces_;
  std::filesystem::path path_;
  std::u16string sheetName_;
  xercesc::DOMImplementationLS* implementation_;  // the library's, never released
  results::XercesPtr<xercesc::DOMDocument> document_;
  xercesc::DOMElement* worksheet_ = nullptr;  // in document_
  xercesc::DOMElement* table_ = nullptr;      // in worksheet_; null until there is one
  // An unreadable file that could not be moved aside is still at path_.
  bool unreadableFileInPlace_ = false;
};
