#pragma once
// Dark windows on request (skyvane --dark), for desktops whose theme Qt does
// not follow: the Fusion style with a dark palette for the whole program.
#include <QPalette>

namespace skyvane {

QPalette DarkPalette();

// Sets the style and palette of the running application.
void UseDarkColours();

}  // namespace skyvane
