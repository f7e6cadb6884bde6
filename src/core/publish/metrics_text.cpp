#include "core/publish/metrics_text.h"

#include <cmath>

#include "core/publish/reading_json.h"

namespace skyvane {

void MetricsText::Family(std::string_view name, std::string_view type, std::string_view help) {
  name_ = name;
  text_ += "# HELP " + name_ + " ";
  for (const char c : help) text_ += c == '\n' ? std::string("\\n") : c == '\\' ? std::string("\\\\") : std::string(1, c);
  text_ += "\n# TYPE " + name_ + " " + std::string(type) + "\n";
}

void MetricsText::Sample(double value, const MetricLabels& labels) {
  text_ += name_;
  if (!labels.empty()) {
    text_ += '{';
    for (std::size_t i = 0; i < labels.size(); ++i) {
      if (i > 0) text_ += ',';
      text_ += labels[i].first + "=\"" + EscapedLabelValue(labels[i].second) + "\"";
    }
    text_ += '}';
  }
  text_ += ' ';
  text_ += std::isnan(value) ? std::string("NaN") : std::isinf(value) ? (value > 0 ? "+Inf" : "-Inf") : JsonNumber(value);
  text_ += '\n';
}

std::string EscapedLabelValue(std::string_view value) {
  std::string out;
  for (const char c : value) {
    if (c == '\\') out += "\\\\";
    else if (c == '"') out += "\\\"";
    else if (c == '\n') out += "\\n";
    else out += c;
  }
  return out;
}

}  // namespace skyvane
