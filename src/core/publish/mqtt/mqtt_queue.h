#pragma once
// The queue of records for the broker: the shared record queue holding each
// record as its JSON object, in a file of its own beside the data file.
#include <cstddef>

#include "core/publish/record_queue.h"

namespace skyvane {

inline constexpr const char* kMqttQueueFileName = "Skyvane.mqtt-queue";
inline constexpr std::size_t kDefaultMqttQueueCapacity = 10000;

using MqttQueue = RecordQueue;

}  // namespace skyvane
