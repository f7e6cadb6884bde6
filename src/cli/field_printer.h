#pragma once
// Prints a text record for people and scripts: one line per field, the field
// number, a TAB and the text exactly as held.
#include <cstddef>
#include <ostream>
#include <string>

#include "core/station/text_record.h"

namespace skyvane {

template <std::size_t N>
void PrintFields(std::ostream& out, const TextRecord<N>& record, std::size_t first) {
  std::string text;
  for (std::size_t i = first; i < N; ++i) {
    text += std::to_string(i);
    text += '\t';
    text += record[i];
    text += '\n';
  }
  out << text;
}

}  // namespace skyvane
