// The saved file opens in a real spreadsheet program: Gnumeric's ssconvert
// turns each worksheet into a CSV file, which shows the sheets it found and
// the captions and values it read.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tests/app/results/StatisticsTestSupport.h"

extern char** environ;

namespace results::testing {
namespace {

using ::testing::ElementsAre;

std::optional<fs::path> FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::stringstream folders(path != nullptr ? path : "/usr/bin:/bin");
  for (std::string folder; std::getline(folders, folder, ':');) {
    const fs::path candidate = fs::path(folder) / name;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return std::nullopt;
}

// Runs the program with its output in `log`; returns its exit status.
int RunProgram(const std::vector<std::string>& arguments, const fs::path& log) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  pid_t child = 0;
  const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// One line of Gnumeric's CSV: fields separated by commas, quoted when they
// hold a space or a comma.
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"') {
      if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else {
        quoted = !quoted;
      }
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  if (fields.size() == 1 && fields[0].empty()) fields.clear();
  return fields;
}

std::vector<std::vector<std::string>> ReadCsv(const fs::path& path) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(ReadFile(path));
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    rows.push_back(Fields(line));
  }
  return rows;
}

using StatisticsSpreadsheetTest = StatisticsTest;

TEST_F(StatisticsSpreadsheetTest, OpensWithOneSheetPerPupilAndItsCaptionsAndValues) {
  const std::optional<fs::path> ssconvert = FindProgram("ssconvert");
  if (!ssconvert)
    GTEST_SKIP() << "ssconvert is not installed (tools/install-deps.sh adds gnumeric)";

  for (const auto& [pupil, calls, seconds] :
       {std::tuple{u"Аня", 2, 95}, std::tuple{u"Бо\"рис", 0, 61}, std::tuple{u"Аня", 1, 40}}) {
    StatisticsWorkbook workbook(StatisticsPath(), pupil);
    RecordFinishedRun(workbook, calls, seconds);
    ASSERT_TRUE(workbook.Save());
  }

  const fs::path out = Scratch() / "sheets";
  fs::create_directory(out);
  const fs::path log = Scratch() / "ssconvert.log";
  ASSERT_EQ(RunProgram({ssconvert->native(), "--export-file-per-sheet", StatisticsFile().native(),
                        (out / "%s.csv").native()},
                       log),
            0)
      << ReadFile(log);

  EXPECT_THAT(Entries(out), ElementsAre("Аня.csv", "Бо'рис.csv")) << ReadFile(log);
  EXPECT_THAT(ReadCsv(out / "Аня.csv"),
              ElementsAre(ElementsAre("Время начала работы с упражнением", "01-January-2000 00:00"),
                          ElementsAre("Количество дополнительных вызовов инструкций", "2"),
                          ElementsAre("Общее время работы с упражнением. с.", "95"),
                          // The empty row between runs spans the sheet's two
                          // columns; the one after the last run is past the
                          // sheet's used range and not written.
                          ElementsAre("", ""),
                          ElementsAre("Время начала работы с упражнением", "01-January-2000 00:02"),
                          ElementsAre("Количество дополнительных вызовов инструкций", "1"),
                          ElementsAre("Общее время работы с упражнением. с.", "40")))
      << ReadFile(log);
  EXPECT_THAT(ReadCsv(out / "Бо'рис.csv"),
              ElementsAre(ElementsAre("Время начала работы с упражнением", "01-January-2000 00:01"),
                          ElementsAre("Количество дополнительных вызовов инструкций", "0"),
                          ElementsAre("Общее время работы с упражнением. с.", "61")));
}

}  // namespace
}  // namespace results::testing
