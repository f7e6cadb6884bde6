#pragma once
// How the painted controls read the value texts handed to them: "" and "---"
// mean "no reading"; otherwise the number at the start of the text counts.
#include <string_view>

namespace skyvane {

// False for the empty text and for "---".
bool HasGaugeReading(std::string_view text);

// The number at the start of the text (0 when there is none), limited to the
// float range so a wild text cannot turn into an infinite value.
float GaugeReadingValue(std::string_view text);

// The integer at the start of the text (0 when there is none).
int GaugeReadingInteger(std::string_view text);

}  // namespace skyvane
