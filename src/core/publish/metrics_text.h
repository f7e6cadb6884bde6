#pragma once
// The Prometheus text exposition format (version 0.0.4): each family once,
// with its HELP and TYPE lines before its samples.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace skyvane {

inline constexpr const char* kMetricsContentType = "text/plain; version=0.0.4; charset=utf-8";

using MetricLabels = std::vector<std::pair<std::string, std::string>>;

class MetricsText {
 public:
  // Starts a family; type is "gauge" or "counter".
  void Family(std::string_view name, std::string_view type, std::string_view help);
  // A sample of the family begun last.
  void Sample(double value, const MetricLabels& labels = {});
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
  std::string name_;
};

// A label value as the format writes it: backslash, quote and line feed escaped.
std::string EscapedLabelValue(std::string_view value);

}  // namespace skyvane
