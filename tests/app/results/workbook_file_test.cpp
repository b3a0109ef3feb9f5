// The file operations under the workbook, where their edge cases are easier
// to reach than through it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <variant>

#include "app/results/WorkbookFile.h"
#include "tests/app/results/StatisticsTestSupport.h"

namespace results::testing {
namespace {

using ::testing::ElementsAre;

TEST(WorkbookFileTest, MovingAsideNeverReplacesAFileMovedAsideBefore) {
  const TemporaryFolder folder;
  const fs::path file = folder.path() / "stats.xls";
  for (const char* content : {"first", "second", "third"}) {
    WriteFile(file, content);
    const auto moved = MoveFileAside(file, "2000-01-01-00-00-00");
    ASSERT_TRUE(std::holds_alternative<fs::path>(moved));
  }
  EXPECT_THAT(Entries(folder.path()), ElementsAre("stats.xls.unreadable-2000-01-01-00-00-00",
                                                  "stats.xls.unreadable-2000-01-01-00-00-00-2",
                                                  "stats.xls.unreadable-2000-01-01-00-00-00-3"));
  EXPECT_EQ(ReadFile(folder.path() / "stats.xls.unreadable-2000-01-01-00-00-00"), "first");
  EXPECT_EQ(ReadFile(folder.path() / "stats.xls.unreadable-2000-01-01-00-00-00-3"), "third");
}

TEST(WorkbookFileTest, ReadingTellsMissingFromNotAFileWithoutBlockingOnAPipe) {
  const TemporaryFolder folder;
  ASSERT_EQ(::mkfifo((folder.path() / "pipe").c_str(), 0644), 0);
  fs::create_directory(folder.path() / "folder");
  WriteFile(folder.path() / "file", "bytes");
  WriteFile(folder.path() / "empty", "");

  EXPECT_EQ(ReadWholeFile(folder.path() / "missing").status, FileContents::Status::kMissing);
  EXPECT_EQ(ReadWholeFile(folder.path() / "file" / "below").status, FileContents::Status::kMissing);
  EXPECT_EQ(ReadWholeFile(folder.path() / "pipe").status, FileContents::Status::kNotAFile);
  EXPECT_EQ(ReadWholeFile(folder.path() / "folder").status, FileContents::Status::kNotAFile);
  const FileContents file = ReadWholeFile(folder.path() / "file");
  EXPECT_EQ(file.status, FileContents::Status::kRead);
  EXPECT_EQ(file.bytes, "bytes");
  EXPECT_EQ(ReadWholeFile(folder.path() / "empty").status, FileContents::Status::kRead);
}

TEST(WorkbookFileTest, ReplacingANewFileInTheCurrentFolderWorks) {
  // The fallback when there is no data folder: a bare file name.
  const TemporaryFolder folder;
  const fs::path before = fs::current_path();
  fs::current_path(folder.path());
  const std::optional<FileFailure> failure = ReplaceFileContents("stats.xls", "content");
  fs::current_path(before);
  EXPECT_FALSE(failure.has_value());
  EXPECT_THAT(Entries(folder.path()), ElementsAre("stats.xls"));
  EXPECT_EQ(ReadFile(folder.path() / "stats.xls"), "content");
}

}  // namespace
}  // namespace results::testing
