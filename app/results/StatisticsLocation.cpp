#include "app/results/StatisticsLocation.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>
#include <vector>

#include "engine/platform/text/Utf.h"

namespace results {

namespace fs = std::filesystem;

namespace {

// The folder under the data folder that holds the statistics of the series.
constexpr char kSeriesFolder[] = "VANTO";

fs::path HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr && found->pw_dir[0] == '/') {
    return found->pw_dir;
  }
  return {};
}

// XDG asks to ignore a relative $XDG_DATA_HOME, as if it were unset.
fs::path DataFolder() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome != nullptr && dataHome[0] == '/') return dataHome;
  const fs::path home = HomeFolder();
  if (home.empty()) return {};
  return home / ".local" / "share";
}

bool EnsureFolder(const fs::path& folder, bool isPrivateDataFolder) {
  std::error_code error;
  if (fs::is_directory(folder, error)) return true;
  if (!fs::create_directories(folder, error) && !fs::is_directory(folder, error)) return false;
  if (isPrivateDataFolder) ::chmod(folder.c_str(), 0700);
  return true;
}

}  // namespace

fs::path StatisticsFolder() {
  const fs::path data = DataFolder();
  if (data.empty() || !EnsureFolder(data, true)) return {};
  const fs::path folder = data / kSeriesFolder;
  if (!EnsureFolder(folder, false)) return {};
  return folder;
}

std::u16string StatisticsFilePath(std::u16string_view windowTitle) {
  std::u16string name = std::u16string(windowTitle) + u".xls";
  const fs::path folder = StatisticsFolder();
  if (folder.empty()) return name;
  return platform::Utf8ToUtf16(folder.native()) + u"/" + name;
}

}  // namespace results
