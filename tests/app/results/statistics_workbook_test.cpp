// The workbook over runs and pupils: what a run leaves in the file, how later
// runs and other pupils find their sheets, and how names and texts survive.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/results/WorkbookTemplate.h"
#include "tests/app/results/StatisticsTestSupport.h"

namespace results::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Row = std::vector<std::u16string>;

Row StartRow(const std::u16string& time) { return {std::u16string(kStartTimeCaption), time}; }
Row CallsRow(const std::u16string& calls) {
  return {std::u16string(kExtraInstructionCallsCaption), calls};
}
Row SecondsRow(const std::u16string& seconds) {
  return {std::u16string(kTotalSecondsCaption), seconds};
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

using StatisticsWorkbookTest = StatisticsTest;

TEST_F(StatisticsWorkbookTest, TheFirstRunCreatesTheFolderAndAFileOfTheTemplateAndThePupilsSheet) {
  ASSERT_FALSE(fs::exists(DataFolder()));
  const std::u16string path = StatisticsPath();
  EXPECT_EQ(ToPath(path), DataFolder() / "VANTO" / "Игра «Пестрель».xls");
  EXPECT_TRUE(fs::is_directory(DataFolder() / "VANTO"));

  StatisticsWorkbook workbook(path, u"Аня");
  EXPECT_EQ(workbook.GetPath(), path);
  RecordFinishedRun(workbook, 2, 95);
  ASSERT_TRUE(workbook.Save());

  // The writer's own declaration replaces the template's, the whitespace
  // outside the root goes, and the writer puts the root's declarations in
  // its own order, one space apart; everything inside the root is the
  // template's, separators included.
  const std::string_view emptyXml = EmptyXml();
  const std::string_view rootOpened = R"(xmlns:html="http://www.w3.org/TR/REC-html40">)";
  const std::size_t inside = emptyXml.find(rootOpened) + rootOpened.size();
  const std::size_t rootEnd = emptyXml.rfind("</Workbook>");
  const std::string expected =
      std::string(R"(<?xml version="1.0" encoding="UTF-8" standalone="no" ?>)") +
      R"(<?mso-application progid="Excel.Sheet"?>)" +
      R"(<Workbook xmlns="urn:schemas-microsoft-com:office:spreadsheet")" +
      R"( xmlns:html="http://www.w3.org/TR/REC-html40")" +
      R"( xmlns:o="urn:schemas-microsoft-com:office:office")" +
      R"( xmlns:ss="urn:schemas-microsoft-com:office:spreadsheet")" +
      R"( xmlns:x="urn:schemas-microsoft-com:office:excel">)" +
      std::string(emptyXml.substr(inside, rootEnd - inside)) +
      R"(<Worksheet ss:Name="Аня"><Table>)"
      R"(<Column ss:AutoFitWidth="0" ss:Width="240"/><Column ss:AutoFitWidth="0" ss:Width="96"/>)"
      R"(<Row><Cell><Data ss:Type="String">Время начала работы с упражнением</Data></Cell>)"
      R"(<Cell><Data ss:Type="String">01-January-2000 00:00</Data></Cell></Row>)"
      R"(<Row><Cell><Data ss:Type="String">Количество дополнительных вызовов инструкций</Data></Cell>)"
      R"(<Cell><Data ss:Type="Number">2</Data></Cell></Row>)"
      R"(<Row><Cell><Data ss:Type="String">Общее время работы с упражнением. с.</Data></Cell>)"
      R"(<Cell><Data ss:Type="Number">95</Data></Cell></Row>)"
      R"(<Row/></Table></Worksheet></Workbook>)";
  EXPECT_EQ(ReadFile(StatisticsFile()), expected);
  EXPECT_THAT(DebugLines(), IsEmpty());
}

TEST_F(StatisticsWorkbookTest, EachRunAppendsToItsPupilsSheetAndAnotherPupilGetsASheetOfTheirOwn) {
  const auto run = [this](const char16_t* pupil, int calls, int seconds) {
    StatisticsWorkbook workbook(StatisticsPath(), pupil);
    RecordFinishedRun(workbook, calls, seconds);
    ASSERT_TRUE(workbook.Save());
    clock_.Advance(3600 * 1000);
  };
  run(u"Аня", 1, 30);
  run(u"Аня", 0, 40);
  run(u"Борис", 3, 50);

  const std::string file = ReadFile(StatisticsFile());
  EXPECT_EQ(Count(file, "<Worksheet "), 2u);
  EXPECT_LT(file.find(R"(ss:Name="Аня")"), file.find(R"(ss:Name="Борис")"));
  EXPECT_EQ(Count(file, "<Column "), 4u) << "a sheet found again must not get new columns";

  EXPECT_THAT(
      StatisticsWorkbook(StatisticsPath(), u"Аня").Rows(),
      ElementsAre(StartRow(u"01-January-2000 00:00"), CallsRow(u"1"), SecondsRow(u"30"), Row{},
                  StartRow(u"01-January-2000 01:00"), CallsRow(u"0"), SecondsRow(u"40"), Row{}));
  EXPECT_THAT(
      StatisticsWorkbook(StatisticsPath(), u"Борис").Rows(),
      ElementsAre(StartRow(u"01-January-2000 02:01"), CallsRow(u"3"), SecondsRow(u"50"), Row{}));
}

TEST_F(StatisticsWorkbookTest, AnUnfinishedRunLeavesOnlyItsStartRow) {
  {
    StatisticsWorkbook workbook(StatisticsPath(), u"Аня");
    RecordStart(workbook);
    ASSERT_TRUE(workbook.Save());
  }
  EXPECT_THAT(StatisticsWorkbook(StatisticsPath(), u"Аня").Rows(),
              ElementsAre(StartRow(u"01-January-2000 00:00")));
}

struct NameCase {
  const char* label;
  std::u16string typed;
  std::u16string stored;
  std::string inFile;  // the sheet's attribute as the file spells it

  friend void PrintTo(const NameCase& name, std::ostream* out) { *out << name.label; }
};

class StatisticsSheetNameTest : public StatisticsTest,
                                public ::testing::WithParamInterface<NameCase> {};

INSTANTIATE_TEST_SUITE_P(
    StatisticsNames, StatisticsSheetNameTest,
    ::testing::Values(
        // A double quote cannot stand in a name there: it becomes an apostrophe.
        NameCase{"DoubleQuote", u"Ан\"я", u"Ан'я", R"(ss:Name="Ан'я")"},
        // What code page 1251 lacks becomes "?", a pair of surrogates one "?".
        NameCase{"OutsideTheCodePage", u"Zoë 😀", u"Zo? ?", R"(ss:Name="Zo? ?")"},
        // A tab would come back as a space, and the sheet would be lost.
        NameCase{"ControlCharacter", u"Аня\tБ", u"Аня?Б", R"(ss:Name="Аня?Б")"},
        NameCase{"MarkupCharacters", u"<Ё&ё>", u"<Ё&ё>", R"(ss:Name="&lt;Ё&amp;ё>")"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_P(StatisticsSheetNameTest, IsStoredAsTheCodePageAllowsAndFoundAgainNextTime) {
  {
    StatisticsWorkbook workbook(StatisticsPath(), GetParam().typed);
    RecordFinishedRun(workbook, 0, 10);
    ASSERT_TRUE(workbook.Save());
  }
  {
    StatisticsWorkbook workbook(StatisticsPath(), GetParam().typed);
    EXPECT_EQ(workbook.Rows().size(), 4u) << "the sheet of the first run is found again";
    RecordFinishedRun(workbook, 1, 20);
    ASSERT_TRUE(workbook.Save());
  }
  const std::string file = ReadFile(StatisticsFile());
  EXPECT_EQ(Count(file, "<Worksheet "), 1u);
  EXPECT_EQ(Count(file, GetParam().inFile), 1u) << file;
  // The sheet is known by the stored name, so typing that finds it too.
  EXPECT_EQ(StatisticsWorkbook(StatisticsPath(), GetParam().stored).Rows().size(), 8u);
}

TEST_F(StatisticsWorkbookTest, CaptionsValuesAndTypesPassThroughTheCodePageToo) {
  StatisticsWorkbook workbook(StatisticsPath(), u"Аня");
  workbook.AddRow(u"Шаг ✓ \"1\"", u"готово ✓", u"Str\u0001ing");
  ASSERT_TRUE(workbook.Save());
  EXPECT_THAT(StatisticsWorkbook(StatisticsPath(), u"Аня").Rows(),
              ElementsAre(Row{u"Шаг ? '1'", u"готово ?"}));
  EXPECT_NE(ReadFile(StatisticsFile()).find(R"(<Data ss:Type="Str?ing">готово ?</Data>)"),
            std::string::npos);
}

TEST_F(StatisticsWorkbookTest, AFileASpreadsheetProgramRewroteKeepsAllItHolds) {
  fs::copy_file(TestData("teacher-edited.xls"), StatisticsFile());
  {
    StatisticsWorkbook workbook(StatisticsPath(), u"Аня");
    EXPECT_THAT(workbook.Rows(), ElementsAre(StartRow(u"14-March-2025 09:05"), CallsRow(u"1"),
                                             SecondsRow(u"310"), Row{}));
    RecordFinishedRun(workbook, 4, 77);
    ASSERT_TRUE(workbook.Save());
  }
  EXPECT_EQ(StatisticsWorkbook(StatisticsPath(), u"Аня").Rows().size(), 8u);
  const std::string file = ReadFile(StatisticsFile());
  EXPECT_EQ(Count(file, "<Worksheet "), 2u);
  for (const char* kept : {"<Author>Учитель</Author>", R"x(ss:Formula="=SUM(Аня!R3C2)")x",
                           "<WorksheetOptions", R"(ss:ExpandedColumnCount="2")"}) {
    EXPECT_NE(file.find(kept), std::string::npos) << kept;
  }
  EXPECT_THAT(DebugLines(), IsEmpty());
}

TEST_F(StatisticsWorkbookTest, AWorksheetWithoutATableGetsOneForItsRows) {
  WriteFile(StatisticsFile(),
            R"(<?xml version="1.0"?><Workbook><Worksheet ss:Name="Аня"/></Workbook>)");
  {
    StatisticsWorkbook workbook(StatisticsPath(), u"Аня");
    EXPECT_THAT(workbook.Rows(), IsEmpty());
    workbook.AddEmptyRow();
    workbook.AddRow(u"a", u"1", kNumberType);
    ASSERT_TRUE(workbook.Save());
  }
  EXPECT_EQ(ReadFile(StatisticsFile()),
            R"(<?xml version="1.0" encoding="UTF-8" standalone="no" ?><Workbook>)"
            R"(<Worksheet ss:Name="Аня"><Table><Row/><Row><Cell><Data ss:Type="String">a</Data>)"
            R"(</Cell><Cell><Data ss:Type="Number">1</Data></Cell></Row></Table></Worksheet>)"
            R"(</Workbook>)");
}

TEST_F(StatisticsWorkbookTest, WorkbooksMayOverlapAndFollowEachOther) {
  // The shell saves and drops the old workbook before opening the next, but
  // the XML library must also survive two at once and a fresh start after
  // the last one has gone.
  auto first = std::make_unique<StatisticsWorkbook>(StatisticsPath(), u"Аня");
  auto second = std::make_unique<StatisticsWorkbook>(StatisticsPath(), u"Борис");
  RecordStart(*first);
  first.reset();
  RecordStart(*second);
  ASSERT_TRUE(second->Save());
  second.reset();
  StatisticsWorkbook third(StatisticsPath(), u"Борис");
  EXPECT_THAT(third.Rows(), ElementsAre(StartRow(u"01-January-2000 00:00")));
}

TEST_F(StatisticsWorkbookTest, TenThousandRunsSurviveASaveAndAReopeningInOrder) {
  constexpr int kRuns = 10'000;
  {
    StatisticsWorkbook workbook(StatisticsPath(), u"Аня");
    for (int run = 0; run < kRuns; ++run) RecordFinishedRun(workbook, run % 7, run);
    ASSERT_TRUE(workbook.Save());
  }
  StatisticsWorkbook workbook(StatisticsPath(), u"Аня");
  const std::vector<Row> rows = workbook.Rows();
  ASSERT_EQ(rows.size(), std::size_t{4 * kRuns});
  EXPECT_EQ(rows[4 * 1234 + 2], SecondsRow(u"1234"));
  EXPECT_EQ(rows[4 * (kRuns - 1) + 2], SecondsRow(Decimal(kRuns - 1)));
  EXPECT_EQ(rows.back(), Row{});
}

}  // namespace
}  // namespace results::testing
