// Where the statistics file lives, and that its folder is made when missing.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "tests/app/results/StatisticsTestSupport.h"

namespace results::testing {
namespace {

// Sets or clears an environment variable for one test.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) saved_ = old;
    if (value) {
      ::setenv(name, value->c_str(), 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnvironment() {
    if (saved_) {
      ::setenv(name_, saved_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
  std::optional<std::string> saved_;
};

class StatisticsLocationTest : public ::testing::Test {
 protected:
  fs::path Home() const { return folder_.path() / "home"; }
  TemporaryFolder folder_;
};

TEST_F(StatisticsLocationTest, IsInTheXdgDataFolderWhichIsMadeWithItsParents) {
  const fs::path data = folder_.path() / "not" / "there";
  const ScopedEnvironment xdg("XDG_DATA_HOME", data.native());
  EXPECT_EQ(ToPath(StatisticsFilePath(kWindowTitle)), data / "VANTO" / "Игра «Пестрель».xls");
  EXPECT_TRUE(fs::is_directory(data / "VANTO"));
}

TEST_F(StatisticsLocationTest, IsUnderTheHomeWhenTheXdgFolderIsUnsetEmptyOrRelative) {
  const ScopedEnvironment home("HOME", Home().native());
  for (const std::optional<std::string>& xdg :
       {std::optional<std::string>(), std::optional<std::string>(""),
        std::optional<std::string>("relative/data")}) {
    const ScopedEnvironment setting("XDG_DATA_HOME", xdg);
    EXPECT_EQ(ToPath(StatisticsFilePath(kWindowTitle)),
              Home() / ".local" / "share" / "VANTO" / "Игра «Пестрель».xls");
  }
  // A data folder made here is private to its user, as XDG asks.
  EXPECT_EQ(fs::status(Home() / ".local" / "share").permissions() & fs::perms::mask,
            fs::perms::owner_all);
  EXPECT_FALSE(fs::exists(fs::current_path() / "relative"));
}

TEST_F(StatisticsLocationTest, FallsBackToTheCurrentFolderWhenTheFolderCannotBeMade) {
  const fs::path data = folder_.path() / "data";
  fs::create_directory(data);
  WriteFile(data / "VANTO", "a file in the way");
  const ScopedEnvironment xdg("XDG_DATA_HOME", data.native());
  EXPECT_EQ(StatisticsFilePath(kWindowTitle), u"Игра «Пестрель».xls");
  EXPECT_EQ(ReadFile(data / "VANTO"), "a file in the way");
}

}  // namespace
}  // namespace results::testing
