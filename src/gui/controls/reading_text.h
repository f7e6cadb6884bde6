#pragma once
// How the painted controls read the value texts handed to them: "" and "---"
// mean "no reading"; otherwise the number at the start of the text counts.
#include <string_view>

namespace skyvane {

// False for the empty text and for "---".
bool HasReading(std::string_view text);

// The decimal number at the start of the text (leading blanks and a sign
// allowed, an optional fraction and exponent); 0 when there is none or when
// it does not fit a finite double.
double LeadingNumber(std::string_view text);

// LeadingNumber limited to the float range.
float ReadingAsFloat(std::string_view text);

// The decimal integer at the start of the text (leading blanks and a sign
// allowed, reading stops at the first other character); 0 when there are no
// digits. Values beyond the int range are clamped to it.
int LeadingInteger(std::string_view text);

}  // namespace skyvane
