#pragma once
// Checks of the settings dialogs' edit fields: the whole text must be an
// integer (or a number) within the field's range, otherwise the dialog stays
// open with the framework's range message.
#include <string>

namespace skyvane {

// A failed check: the control to give the focus to and the message to show.
struct FieldError {
  int control = -1;
  std::string message;
};

// "Please enter an integer between %1 and %2." with the bounds filled in.
std::string IntegerRangeMessage(int low, int high);
// "Please enter a number between %1 and %2." with the bounds written "%.6g"
// (single precision shows no more digits).
std::string NumberRangeMessage(float low, float high);

// The text as an integer: optional blanks around an optional sign and digits.
bool ParseIntegerText(const std::string& text, long long& value);
// The text as a number: optional blanks around an optional sign, digits with an
// optional fraction and exponent. Words such as "inf" or "nan" are no number.
bool ParseNumberText(const std::string& text, double& value);

// True when the text is an integer in [low, high]; else error holds the
// control and the range message.
bool CheckInteger(const std::string& text, int low, int high, int control, FieldError& error);
// True when the text is a number in [low, high], compared in single precision
// as the limits are; else error holds the control and the range message.
bool CheckNumber(const std::string& text, float low, float high, int control, FieldError& error);

}  // namespace skyvane
