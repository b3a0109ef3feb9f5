// Saves that cannot happen: each one fails without ending the program,
// without touching the old file, and with the document kept for a later try.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <string>

#include "tests/app/results/StatisticsTestSupport.h"

namespace results::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class StatisticsSaveTest : public StatisticsTest {
 protected:
  // A file from an earlier run, and the workbook of the current one with a
  // row the file does not have yet.
  void SetUp() override {
    {
      StatisticsWorkbook earlier(StatisticsPath(), u"Аня");
      RecordFinishedRun(earlier, 1, 30);
      ASSERT_TRUE(earlier.Save());
    }
    old_ = ReadFile(StatisticsFile());
    oldEntries_ = Entries(Folder());
    workbook_ = std::make_unique<StatisticsWorkbook>(StatisticsPath(), u"Аня");
    RecordStart(*workbook_);
  }

  fs::path Folder() const { return StatisticsFile().parent_path(); }

  // The old file is as it was and nothing else appeared beside it.
  void ExpectOldFileUntouched() const {
    EXPECT_EQ(ReadFile(StatisticsFile()), old_);
    EXPECT_EQ(Entries(Folder()), oldEntries_);
  }

  // The document still holds the new row: it reaches a file that can be
  // written.
  void ExpectDocumentKept() {
    const fs::path elsewhere = Scratch() / "copy.xls";
    ASSERT_TRUE(workbook_->Save(platform::Utf8ToUtf16(elsewhere.native())));
    EXPECT_EQ(StatisticsWorkbook(platform::Utf8ToUtf16(elsewhere.native()), u"Аня").Rows().size(),
              5u);
  }

  std::string old_;
  std::vector<std::string> oldEntries_;
  std::unique_ptr<StatisticsWorkbook> workbook_;
};

TEST_F(StatisticsSaveTest, IntoAReadOnlyFolderFailsWithOneDebugLine) {
  ::chmod(Folder().c_str(), 0555);
  {
    const WithoutPermissionOverride asOrdinaryUser;
    EXPECT_FALSE(workbook_->Save());
  }
  ::chmod(Folder().c_str(), 0755);
  ExpectOldFileUntouched();
  ASSERT_EQ(DebugLines().size(), 1u);
  EXPECT_THAT(platform::Utf16ToUtf8(DebugLines()[0]), HasSubstr("Permission denied"));
  ExpectDocumentKept();
}

TEST_F(StatisticsSaveTest, OverAFileMadeReadOnlyFails) {
  // Made read-only to keep it as it is, the file must not be replaced just
  // because its folder could take a new one.
  ::chmod(StatisticsFile().c_str(), 0444);
  {
    const WithoutPermissionOverride asOrdinaryUser;
    EXPECT_FALSE(workbook_->Save());
  }
  ExpectOldFileUntouched();
  ASSERT_EQ(DebugLines().size(), 1u);
  EXPECT_THAT(platform::Utf16ToUtf8(DebugLines()[0]), HasSubstr("cannot replace"));
  ExpectDocumentKept();
}

TEST_F(StatisticsSaveTest, OnAFullDiskFailsAndRemovesItsHalfWrittenFile) {
  {
    const FileSizeLimit diskNearlyFull(100);
    EXPECT_FALSE(workbook_->Save());
  }
  ExpectOldFileUntouched();
  ASSERT_EQ(DebugLines().size(), 1u);
  EXPECT_THAT(platform::Utf16ToUtf8(DebugLines()[0]), HasSubstr("cannot write"));
  // Once there is room again the same workbook saves in full.
  ASSERT_TRUE(workbook_->Save());
  EXPECT_EQ(StatisticsWorkbook(StatisticsPath(), u"Аня").Rows().size(), 5u);
}

TEST_F(StatisticsSaveTest, CutOffBeforeTheRenameLeavesTheOldFileWhole) {
  // The process dies inside the write of the new content, as it would in a
  // crash or a power cut; the old file must come through whole.
  // Forked, so that the child saves over this very file.
  GTEST_FLAG_SET(death_test_style, "fast");
  EXPECT_EXIT(
      {
        const FileSizeLimit killedWhenFull(100, /*killed=*/true);
        workbook_->Save();
        std::_Exit(0);
      },
      ::testing::KilledBySignal(SIGXFSZ), "");
  EXPECT_EQ(ReadFile(StatisticsFile()), old_);
  EXPECT_THAT(StatisticsWorkbook(StatisticsPath(), u"Аня").Rows(), ::testing::SizeIs(4))
      << "the file still reads as the earlier run's";
}

struct TargetCase {
  const char* name;
  const char* relativePath;  // under the scratch folder

  friend void PrintTo(const TargetCase& target, std::ostream* out) { *out << target.name; }
};

class StatisticsSaveAsTest : public StatisticsSaveTest,
                             public ::testing::WithParamInterface<TargetCase> {};

INSTANTIATE_TEST_SUITE_P(StatisticsTargets, StatisticsSaveAsTest,
                         ::testing::Values(TargetCase{"MissingFolder", "no/such/folder/copy.xls"},
                                           TargetCase{"AFolder", "folder"},
                                           TargetCase{"AFolderWithSlash", "folder/"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(StatisticsSaveAsTest, ToATargetThatCannotBeAFileFailsCleanly) {
  fs::create_directory(Scratch() / "folder");
  const std::vector<std::string> scratchBefore = Entries(Scratch());
  const fs::path target = Scratch() / GetParam().relativePath;
  EXPECT_FALSE(workbook_->Save(platform::Utf8ToUtf16(target.native())));
  EXPECT_EQ(Entries(Scratch()), scratchBefore);
  EXPECT_TRUE(fs::is_empty(Scratch() / "folder"));
  EXPECT_EQ(DebugLines().size(), 1u);
  ExpectOldFileUntouched();
  ExpectDocumentKept();
}

TEST_F(StatisticsSaveTest, ElsewhereLeavesTheWorkbooksOwnPathAndFile) {
  const std::u16string copy = platform::Utf8ToUtf16((Scratch() / "copy.xls").native());
  ASSERT_TRUE(workbook_->Save(copy));
  EXPECT_EQ(workbook_->GetPath(), StatisticsPath());
  ExpectOldFileUntouched();
  ASSERT_TRUE(workbook_->Save());
  EXPECT_EQ(ReadFile(StatisticsFile()), ReadFile(ToPath(copy)));
}

TEST_F(StatisticsSaveTest, KeepsTheFilesPermissionsAndALinkToIt) {
  // A teacher who shares the file, or keeps it elsewhere behind a link,
  // finds it shared and linked after the save.
  const fs::path real = Scratch() / "kept-elsewhere.xls";
  fs::rename(StatisticsFile(), real);
  fs::create_symlink(real, StatisticsFile());
  ::chmod(real.c_str(), 0664);
  ASSERT_TRUE(workbook_->Save());
  EXPECT_TRUE(fs::is_symlink(StatisticsFile()));
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::mask,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                fs::perms::group_write | fs::perms::others_read);
  EXPECT_EQ(StatisticsWorkbook(StatisticsPath(), u"Аня").Rows().size(), 5u);
}

}  // namespace
}  // namespace results::testing
