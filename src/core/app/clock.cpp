#include "core/app/clock.h"

namespace skyvane {

std::tm Clock::ToLocal(std::time_t t) {
  std::tm local{};
  // localtime_r, unlike localtime, shares no buffer between threads.
  ::localtime_r(&t, &local);
  return local;
}

}  // namespace skyvane
