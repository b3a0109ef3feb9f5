#pragma once
// Running the X tools the display tests drive (xdotool), and the X server
// itself, as child processes.

#include <string>
#include <vector>

namespace platform::testing {

// Runs `arguments` (the program is looked up on PATH, with this process's
// environment) to its end. Returns its exit status, or -1 when it could
// not be started or did not exit normally; its standard output is put
// into `output` when given.
int RunProgram(const std::vector<std::string>& arguments, std::string* output = nullptr);

// Whether `program` is on PATH.
bool HaveProgram(const std::string& program);

}  // namespace platform::testing
