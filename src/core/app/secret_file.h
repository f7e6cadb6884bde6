#pragma once
// Files that hold a secret (an upload key, a broker password): the first line
// is read with a bound, and a file that cannot be read is told with the user
// the program runs as, since a service reads it as its own account.
#include <string>
#include <string_view>

namespace skyvane {

// The first line of the file without its line end (at most 4096 bytes are
// looked at); false with errno's value in error when it cannot be opened or read.
bool ReadFirstLine(const std::string& path, std::string& line, int& error);

// "cannot read WHAT PATH: REASON", with " as user NAME" before the reason
// when the system refused the access.
std::string CannotReadText(std::string_view what, const std::string& path, int error);

// The name of the account the program runs as (its number when it has none).
std::string RunningUserName();

}  // namespace skyvane
