#include "core/publish/mqtt/announced_topics.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include "core/app/posix_file.h"
#include "core/publish/mqtt/file_lines.h"
#include "core/publish/mqtt/ha_discovery.h"

namespace skyvane {

namespace {

constexpr std::size_t kMaxTopic = 1024;
constexpr std::size_t kMaxTopics = 4096;  // far more than one device ever announces

}  // namespace

bool ReadAnnouncedTopics(const std::filesystem::path& file, std::vector<std::string>& topics,
                         std::string& error) {
  topics.clear();
  const int rc = ReadFileLines(file, kMaxTopic, [&](std::string_view line, LineEnd end) {
    if (end != LineEnd::kWhole || topics.size() >= kMaxTopics) return;
    std::string topic(line);
    if (IsDiscoveryConfigTopic(topic)) topics.push_back(std::move(topic));
  });
  if (rc == 0 || rc == ENOENT) return true;
  topics.clear();
  error = "cannot read " + file.string() + ": " + std::strerror(rc);
  return false;
}

bool WriteAnnouncedTopics(const std::filesystem::path& file, const std::vector<std::string>& topics,
                          std::string& error) {
  if (topics.empty()) {
    std::error_code ec;
    std::filesystem::remove(file, ec);
    if (ec) error = "cannot remove " + file.string() + ": " + ec.message();
    return !ec;
  }
  std::string text;
  for (const std::string& topic : topics) text += topic + "\n";
  const ReplaceResult result = ReplaceFileAtomically(file.string(), text);
  if (!result.ok()) error = result.Message(file.string());
  return result.ok();
}

}  // namespace skyvane
