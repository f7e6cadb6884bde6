#pragma once
// Faults the simulated station shows on request, to see how the program
// copes. They are read from a small text file in the station's folder, one
// fault a line ('#' starts a comment):
//   silent      the station takes commands but stops answering (its known lock-up)
//   lose N      about one report in N from the station is lost on the way
//   torn N      about one read in N of the running record catches it half
//               rewritten (implausible values; the next read is whole)
//   unplugged   the station is unplugged; removing the line plugs it back in
// An empty or missing file means a station without faults.
#include <string>
#include <string_view>

namespace skyvane::sim {

struct SimFaults {
  bool silent = false;
  int loseOneIn = 0;  // 0: no report is lost
  int tornOneIn = 0;  // 0: no record is caught half rewritten
  bool unplugged = false;

  bool operator==(const SimFaults&) const = default;
};

// The faults the text names. Lines that are not understood are skipped and
// listed in error ("line 2: ..."), and the result is then false; the faults
// of the other lines are still set.
bool ParseSimFaults(std::string_view text, SimFaults& faults, std::string& error);

}  // namespace skyvane::sim
