#pragma once
// What the statistics tests share: a temporary data folder, the manual clock,
// captured debug lines, and ways to make the file system refuse a save.

#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/results/LocalTimeText.h"
#include "app/results/StatisticsCaptions.h"
#include "app/results/StatisticsLocation.h"
#include "app/results/StatisticsWorkbook.h"
#include "engine/platform/clock/CurrentClock.h"
#include "engine/platform/clock/ManualClock.h"
#include "engine/platform/debug/DebugOutput.h"
#include "engine/platform/text/Utf.h"

namespace results::testing {

namespace fs = std::filesystem;

inline constexpr char16_t kWindowTitle[] = u"Игра «Пестрель»";

inline std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

// The names in a folder, sorted, to show that a failed save left nothing.
inline std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

inline fs::path ToPath(const std::u16string& path) { return platform::Utf16ToUtf8(path); }

inline fs::path TestData(const std::string& name) {
  const char* root = std::getenv("PESTREL_TEST_DATA");
  return fs::path(root != nullptr ? root : "tests/data") / "workbook" / name;
}

// A fresh folder under the system's temporary folder, removed with all it
// holds (made writable again first) when the test ends.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern = (fs::temp_directory_path() / "statistics-test-XXXXXX").native();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TemporaryFolder() {
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(path_, error)) {
      if (entry.is_directory(error)) ::chmod(entry.path().c_str(), 0755);
    }
    ::chmod(path_.c_str(), 0755);
    fs::remove_all(path_, error);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// Lets file permissions bind this thread even when the tests run as root,
// whose capabilities would otherwise let it write into a read-only folder or
// read a file nobody may read. The capabilities come back at the end.
class WithoutPermissionOverride {
 public:
  WithoutPermissionOverride() {
    header_.version = _LINUX_CAPABILITY_VERSION_3;
    header_.pid = 0;
    if (::syscall(SYS_capget, &header_, saved_) != 0) return;
    __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
    reduced[0].effective &=
        ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
    active_ = ::syscall(SYS_capset, &header_, reduced) == 0;
  }
  ~WithoutPermissionOverride() {
    if (active_) ::syscall(SYS_capset, &header_, saved_);
  }
  WithoutPermissionOverride(const WithoutPermissionOverride&) = delete;
  WithoutPermissionOverride& operator=(const WithoutPermissionOverride&) = delete;

 private:
  __user_cap_header_struct header_{};
  __user_cap_data_struct saved_[2]{};
  bool active_ = false;
};

// Lets no file of this process grow beyond `bytes`, as a full disk would.
// A write past the limit fails with EFBIG; the signal the kernel also sends
// is ignored, unless `killed` asks for its default action, which ends the
// process in the middle of the write, the way a crash or a power cut would.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes, bool killed = false) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, killed ? SIG_DFL : SIG_IGN);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = SIG_DFL;
};

// Every statistics test: a temporary application-data folder, local time in
// UTC, the manual clock at 2000-01-01 00:00:00, and the debug lines captured.
class StatisticsTest : public ::testing::Test {
 protected:
  StatisticsTest() {
    ::setenv("XDG_DATA_HOME", DataFolder().c_str(), 1);
    ::setenv("TZ", "UTC", 1);
    ::tzset();
  }

  fs::path DataFolder() const { return temporary_.path() / "data"; }
  fs::path Scratch() const { return temporary_.path(); }
  // The statistics file, its folder made as the shell makes it.
  std::u16string StatisticsPath() const { return StatisticsFilePath(kWindowTitle); }
  fs::path StatisticsFile() const { return ToPath(StatisticsPath()); }

  // The four rows of a finished run, as the shell writes them.
  void RecordFinishedRun(StatisticsWorkbook& workbook, int extraCalls, int seconds) {
    RecordStart(workbook);
    clock_.Advance(std::int64_t{seconds} * 1000);
    workbook.AddRow(kExtraInstructionCallsCaption, Decimal(extraCalls), kNumberType);
    workbook.AddRow(kTotalSecondsCaption, Decimal(seconds), kNumberType);
    workbook.AddEmptyRow();
  }
  void RecordStart(StatisticsWorkbook& workbook) {
    workbook.AddRow(kStartTimeCaption, FormatStartTime(platform::CurrentTime()), kStringType);
  }
  static std::u16string Decimal(int value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
  }

  std::vector<std::u16string> DebugLines() const { return debug_.Lines(); }

  platform::ManualClock clock_;

 private:
  TemporaryFolder temporary_;
  platform::ScopedClock scopedClock_{clock_};
  platform::DebugOutputCapture debug_;
};

}  // namespace results::testing
