#pragma once
// The record of the Home Assistant configurations this folder's program last
// announced, one topic a line, kept beside the data file: what a later start
// no longer announces (discovery switched off, another Node or prefix) is
// cleared from the broker, so that no entity stays behind in Home Assistant.
#include <filesystem>
#include <string>
#include <vector>

namespace skyvane {

inline constexpr const char* kAnnouncedFileName = "Skyvane.mqtt-announced";

// The topics recorded; none for a missing file. Lines that are no discovery
// configuration topic are passed over, so that a damaged record can never
// make us clear another topic. False with a reason when it cannot be read.
bool ReadAnnouncedTopics(const std::filesystem::path& file, std::vector<std::string>& topics,
                         std::string& error);

// Replaces the record at once (old or new, never half of one); an empty list
// removes it. False with a reason when that fails.
bool WriteAnnouncedTopics(const std::filesystem::path& file, const std::vector<std::string>& topics,
                          std::string& error);

}  // namespace skyvane
