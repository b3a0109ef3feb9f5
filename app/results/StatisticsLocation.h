#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace results {

// Where the statistics of this program live: one file per exercise, named
// after the window's title, in the folder "VANTO" of the application-data
// folder. That folder is $XDG_DATA_HOME when it holds an absolute path, else
// ~/.local/share ($HOME, else the account's home directory).

// The statistics folder, created together with any missing parent when it
// does not exist yet (a data folder created here gets mode 0700, as the XDG
// rules ask). Returns an empty path when there is no home to start from or
// the folder cannot be made (a file of that name is in the way, a read-only
// home): the statistics file then lands in the current folder.
std::filesystem::path StatisticsFolder();

// The statistics folder followed by "/" + windowTitle + ".xls", or only the
// file name when the folder is unavailable. The folder is created as above.
std::u16string StatisticsFilePath(std::u16string_view windowTitle);

}  // namespace results
