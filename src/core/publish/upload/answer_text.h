#pragma once
// What a weather network's server answered, made fit for the program's log:
// the key hidden in every form a server may echo it, control characters
// written out so that a terminal shows them instead of obeying them, and the
// text cut to a length a log line can take.
#include <cstddef>
#include <string>
#include <string_view>

namespace skyvane {

inline constexpr std::size_t kLoggedAnswerLength = 200;

// text with each occurrence of password replaced by "***": raw, percent-encoded
// with upper- or lower-case hex (each character either way) and '+' for a space.
std::string WithoutPassword(std::string text, const std::string& password);

// The answer without the key; its control characters and the bytes that are
// no UTF-8 text as "\xHH", a backslash as "\\"; at most kLoggedAnswerLength
// bytes, ending in "[cut]" when it was longer.
std::string LoggedAnswer(std::string_view answer, const std::string& key);

}  // namespace skyvane
