#pragma once
// Starting the program afresh in place of the running process.
#include <string>
#include <vector>

namespace skyvane {

// Replaces this process by a new run of the same executable (/proc/self/exe)
// with these arguments (arguments[0] is the program name). Returns only when
// the new program could not be started.
void RestartProgram(const std::vector<std::string>& arguments);

}  // namespace skyvane
