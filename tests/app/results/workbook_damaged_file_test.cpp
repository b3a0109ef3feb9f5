// A statistics file the workbook cannot use is kept aside under a new name,
// never read into the document and never overwritten.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "tests/app/results/StatisticsTestSupport.h"

namespace results::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

// Where the manual clock's 2000-01-01 00:00:00 puts an unreadable file.
constexpr char kAsideSuffix[] = ".unreadable-2000-01-01-00-00-00";

class WorkbookDamagedFileTest : public StatisticsTest,
                                public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    // What the entities of some fixtures reach for lies beside the file,
    // watched so that the test learns if anything so much as opens it.
    watch_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch_, 0);
    for (const char* secret : {"secret.txt", "secret.dtd"}) {
      const fs::path path = StatisticsFile().parent_path() / secret;
      fs::copy_file(TestData(secret), path);
      ASSERT_GE(::inotify_add_watch(watch_, path.c_str(), IN_OPEN | IN_ACCESS), 0);
    }
  }
  void TearDown() override { ::close(watch_); }

  bool SecretsTouched() const {
    char events[4096];
    return ::read(watch_, events, sizeof events) > 0;
  }
  fs::path Aside() const { return StatisticsFile().native() + kAsideSuffix; }

 private:
  int watch_ = -1;
};

INSTANTIATE_TEST_SUITE_P(WorkbookFixtures, WorkbookDamagedFileTest,
                         ::testing::Values("truncated.xls", "external-entity.xls",
                                           "external-entity-absolute.xls", "external-dtd.xls",
                                           "parameter-entity.xls", "document-type.xls",
                                           "entity-expansion.xls", "other-root.xls",
                                           "binary-spreadsheet.xls"),
                         [](const auto& info) {
                           std::string name = info.param;
                           name = name.substr(0, name.find('.'));
                           std::erase(name, '-');
                           return name;
                         });

TEST_P(WorkbookDamagedFileTest, IsMovedAsideUnchangedAndTheWorkbookStartsAfresh) {
  const std::string damaged = ReadFile(TestData(GetParam()));
  WriteFile(StatisticsFile(), damaged);

  StatisticsWorkbook workbook(StatisticsPath(), u"Аня");
  EXPECT_FALSE(SecretsTouched()) << "the parser opened a file the workbook refers to";
  EXPECT_FALSE(fs::exists(StatisticsFile()));
  EXPECT_EQ(ReadFile(Aside()), damaged);
  EXPECT_THAT(workbook.Rows(), IsEmpty()) << "nothing of the damaged file is read";
  ASSERT_EQ(DebugLines().size(), 1u);
  EXPECT_THAT(platform::Utf16ToUtf8(DebugLines()[0]), HasSubstr("is unreadable ("))
      << "and says what was wrong";
  EXPECT_THAT(platform::Utf16ToUtf8(DebugLines()[0]), HasSubstr(Aside().native()));

  RecordFinishedRun(workbook, 0, 5);
  ASSERT_TRUE(workbook.Save());
  const std::string saved = ReadFile(StatisticsFile());
  EXPECT_THAT(saved, Not(HasSubstr("SECRET-MARKER")));
  EXPECT_THAT(saved, Not(HasSubstr("root:")));
  EXPECT_THAT(saved, Not(HasSubstr("DOCTYPE")));
  EXPECT_EQ(StatisticsWorkbook(StatisticsPath(), u"Аня").Rows().size(), 4u);
  EXPECT_EQ(ReadFile(Aside()), damaged) << "the kept file stays as it was";
}

using WorkbookUnreadableFileTest = WorkbookDamagedFileTest;

TEST_F(WorkbookUnreadableFileTest, AFileNobodyMayReadIsMovedAsideLikeADamagedOne) {
  const std::string good = ReadFile(TestData("teacher-edited.xls"));
  WriteFile(StatisticsFile(), good);
  ::chmod(StatisticsFile().c_str(), 0);
  {
    const WithoutPermissionOverride asOrdinaryUser;
    StatisticsWorkbook workbook(StatisticsPath(), u"Аня");
    EXPECT_THAT(workbook.Rows(), IsEmpty());
    RecordStart(workbook);
    EXPECT_TRUE(workbook.Save());
  }
  ::chmod(Aside().c_str(), 0644);
  EXPECT_EQ(ReadFile(Aside()), good);
  ASSERT_EQ(DebugLines().size(), 1u);
  EXPECT_THAT(platform::Utf16ToUtf8(DebugLines()[0]), HasSubstr("Permission denied"));
}

TEST_F(WorkbookUnreadableFileTest, AFolderInTheFilesPlaceIsLeftAloneAndSavingThereFails) {
  fs::create_directory(StatisticsFile());
  WriteFile(StatisticsFile() / "inside.txt", "kept");
  StatisticsWorkbook workbook(StatisticsPath(), u"Аня");
  RecordStart(workbook);
  EXPECT_FALSE(workbook.Save());
  EXPECT_EQ(ReadFile(StatisticsFile() / "inside.txt"), "kept");
  EXPECT_FALSE(fs::exists(Aside()));
  EXPECT_EQ(DebugLines().size(), 2u) << "one line at opening, one for the failed save";
}

TEST_F(WorkbookUnreadableFileTest, ADamagedFileThatCannotBeMovedAsideIsNeverOverwritten) {
  const std::string damaged = ReadFile(TestData("truncated.xls"));
  WriteFile(StatisticsFile(), damaged);
  const fs::path folder = StatisticsFile().parent_path();
  ::chmod(folder.c_str(), 0555);
  const WithoutPermissionOverride asOrdinaryUser;

  StatisticsWorkbook workbook(StatisticsPath(), u"Аня");
  RecordFinishedRun(workbook, 0, 5);
  ASSERT_EQ(DebugLines().size(), 1u);
  EXPECT_THAT(platform::Utf16ToUtf8(DebugLines()[0]), HasSubstr("stays in place"));

  // While the damaged file cannot make way its path is not written; once it
  // can, the save moves it aside first.
  EXPECT_FALSE(workbook.Save());
  EXPECT_EQ(ReadFile(StatisticsFile()), damaged);
  ::chmod(folder.c_str(), 0755);
  ASSERT_TRUE(workbook.Save());
  // Moved aside at the save, five seconds into the run.
  EXPECT_EQ(ReadFile(StatisticsFile().native() + ".unreadable-2000-01-01-00-00-05"), damaged);
  EXPECT_EQ(StatisticsWorkbook(StatisticsPath(), u"Аня").Rows().size(), 4u);
}

}  // namespace
}  // namespace results::testing
