#pragma once
// The text of a URL's query piece: "%XX" escapes and '+' (a blank) decoded.
#include <string>
#include <string_view>

namespace skyvane {

// False for a '%' without two hex digits after it; out is then incomplete.
bool UrlDecoded(std::string_view text, std::string& out);

}  // namespace skyvane
