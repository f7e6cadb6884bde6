#pragma once
// A real mosquitto broker on a free loopback port for the tests, and a
// subscriber that records every message it sees.
#include <arpa/inet.h>
#include <fcntl.h>
#include <mosquitto.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/scratch_folder.h"

extern char** environ;

namespace skyvane::test {

inline constexpr const char* kMosquittoPath = "/usr/sbin/mosquitto";

// Waits up to 20 s for a condition checked every 20 ms; true when it held.
// Not a timing test: the limit only keeps a broken test from hanging.
inline bool WaitFor(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// A port nobody listens on right now.
inline int FreeLoopbackPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  int port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0) {
    port = ntohs(addr.sin_port);
  }
  ::close(fd);
  return port;
}

inline bool Accepts(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = htons(static_cast<std::uint16_t>(port));
  const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  ::close(fd);
  return ok;
}

class MqttBroker {
 public:
  // extraConfig: more lines for mosquitto.conf (a password_file, say). A
  // persistent broker keeps its sessions across a Stop(SIGTERM) and Start().
  explicit MqttBroker(std::string extraConfig = "", bool persistent = false) : port_(FreeLoopbackPort()) {
    WriteFileBytes(folder_ / "mosquitto.conf",
                   "listener " + std::to_string(port_) + " 127.0.0.1\n" +
                       (extraConfig.empty() ? "allow_anonymous true\n" : extraConfig) +
                       (persistent ? "persistence true\npersistence_location " + folder_.path().string() + "/\n"
                                   : std::string("persistence false\n")) +
                       KeepUser());
    Start();
  }
  ~MqttBroker() { Stop(); }
  MqttBroker(const MqttBroker&) = delete;
  MqttBroker& operator=(const MqttBroker&) = delete;

  bool Start() {
    const std::string conf = (folder_ / "mosquitto.conf").string();
    const std::string log = (folder_ / "broker.log").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::vector<std::string> args{kMosquittoPath, "-c", conf};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, kMosquittoPath, &actions, nullptr, argv.data(), environ) != 0) pid_ = 0;
    posix_spawn_file_actions_destroy(&actions);
    return pid_ != 0 && WaitFor([this] { return Accepts(port_); });
  }
  void Stop(int signal = SIGKILL) {
    if (pid_ == 0) return;
    ::kill(pid_, signal);
    ::waitpid(pid_, nullptr, 0);
    pid_ = 0;
  }
  int port() const { return port_; }
  const std::filesystem::path& folder() const { return folder_.path(); }

 private:
  // Started as root, the broker would switch to its own user, which may not
  // read our scratch files.
  static std::string KeepUser() {
    const passwd* pw = ::getpwuid(::geteuid());
    return pw != nullptr ? "user " + std::string(pw->pw_name) + "\n" : "";
  }

  ScratchFolder folder_;
  int port_;
  pid_t pid_ = 0;
};

struct MqttMessage {
  std::string topic;
  std::string payload;
  bool retained = false;
};

// Subscribes to '#' and keeps every message, in arrival order.
class MqttSubscriber {
 public:
  // A named subscriber keeps its session (and the QoS 1 messages sent while
  // it was away) on a persistent broker, and reconnects by itself.
  explicit MqttSubscriber(int port, const char* name = nullptr) {
    mosquitto_lib_init();
    mosq_ = mosquitto_new(name, name == nullptr, this);
    mosquitto_connect_callback_set(mosq_, [](mosquitto* m, void*, int rc) {
      if (rc == 0) mosquitto_subscribe(m, nullptr, "#", 1);
    });
    mosquitto_subscribe_callback_set(mosq_, [](mosquitto*, void* self, int, int, const int*) {
      auto* s = static_cast<MqttSubscriber*>(self);
      std::lock_guard lock(s->mutex_);
      s->subscribed_ = true;
    });
    mosquitto_message_callback_set(mosq_, [](mosquitto*, void* self, const mosquitto_message* m) {
      auto* s = static_cast<MqttSubscriber*>(self);
      std::lock_guard lock(s->mutex_);
      s->messages_.push_back({m->topic, std::string(static_cast<const char*>(m->payload),
                                                    static_cast<std::size_t>(m->payloadlen)),
                              m->retain});
    });
    mosquitto_connect(mosq_, "127.0.0.1", port, 30);
    mosquitto_loop_start(mosq_);
    WaitFor([this] {
      std::lock_guard lock(mutex_);
      return subscribed_;
    });
  }
  ~MqttSubscriber() {
    mosquitto_disconnect(mosq_);
    mosquitto_loop_stop(mosq_, true);
    mosquitto_destroy(mosq_);
  }
  MqttSubscriber(const MqttSubscriber&) = delete;
  MqttSubscriber& operator=(const MqttSubscriber&) = delete;

  std::vector<MqttMessage> Messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
  }
  std::vector<MqttMessage> On(const std::string& topic) const {
    std::vector<MqttMessage> out;
    for (auto& m : Messages()) {
      if (m.topic == topic) out.push_back(m);
    }
    return out;
  }
  // Waits until n messages of the topic arrived.
  bool WaitForCount(const std::string& topic, std::size_t n) const {
    return WaitFor([&] { return On(topic).size() >= n; });
  }
  // Waits until the last message of the topic has this payload.
  bool WaitForLast(const std::string& topic, const std::string& payload) const {
    return WaitFor([&] {
      const auto m = On(topic);
      return !m.empty() && m.back().payload == payload;
    });
  }

 private:
  mutable std::mutex mutex_;
  mosquitto* mosq_ = nullptr;
  bool subscribed_ = false;
  std::vector<MqttMessage> messages_;
};

}  // namespace skyvane::test
