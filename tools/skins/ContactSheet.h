#pragma once
// A single picture showing every skin, for looking at them while working
// on the painters: the buttons at their size and enlarged, the small
// pieces enlarged with their names, and a few pieces put together the way
// the program uses them. It is not part of the program's data.

#include <filesystem>
#include <map>
#include <string>

#include "tools/skins/Image.h"

namespace skins {

void WriteContactSheet(const std::filesystem::path& path, const std::map<std::string, Image>& skins);

}  // namespace skins
