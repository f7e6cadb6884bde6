// Compiled with the include folders of one core layer and a header of a layer
// it does not build on: this must fail, for want of that header.
#include SKYVANE_PROBE_HEADER
