#pragma once
// A TCP server on 127.0.0.1 (or ::1) and a free port for tests of what the program
// sends out: each connection is handed to a conversation function on the
// server's thread, and what it returns is kept.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace skyvane::test {

// The next line from fd without its line end; empty at the end or after 5 s.
inline std::string ReceiveLine(int fd) {
  std::string line;
  char c = 0;
  pollfd p{fd, POLLIN, 0};
  while (::poll(&p, 1, 5000) > 0 && ::recv(fd, &c, 1, 0) == 1) {
    if (c == '\n') break;
    if (c != '\r') line += c;
  }
  return line;
}

inline void SendText(int fd, const std::string& text) {
  ::send(fd, text.data(), text.size(), MSG_NOSIGNAL);
}

class LoopbackServer {
 public:
  // converse gets the connected socket and returns what the test keeps of it.
  // family AF_INET6 listens on ::1; listening() is false when the machine has none.
  explicit LoopbackServer(std::function<std::string(int fd)> converse, int family = AF_INET)
      : converse_(std::move(converse)) {
    listener_ = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    sockaddr_in6 a6{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a6.sin6_family = AF_INET6;
    a6.sin6_addr = in6addr_loopback;
    sockaddr* address = family == AF_INET6 ? reinterpret_cast<sockaddr*>(&a6) : reinterpret_cast<sockaddr*>(&a);
    socklen_t length = family == AF_INET6 ? sizeof a6 : sizeof a;
    listening_ = ::bind(listener_, address, length) == 0 && ::listen(listener_, 8) == 0;
    ::getsockname(listener_, address, &length);
    port_ = ntohs(family == AF_INET6 ? a6.sin6_port : a.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~LoopbackServer() {
    stop_ = true;
    thread_.join();
    ::close(listener_);
  }

  int port() const { return port_; }
  bool listening() const { return listening_; }

  // Waits up to timeout for n conversations; what they kept.
  std::vector<std::string> WaitFor(std::size_t n, std::chrono::seconds timeout) {
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait_for(lock, timeout, [&] { return kept_.size() >= n; });
    return kept_;
  }

 private:
  void Serve() {
    pollfd p{listener_, POLLIN, 0};
    while (!stop_) {
      if (::poll(&p, 1, 100) <= 0) continue;
      const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd < 0) continue;
      std::string kept = converse_(fd);
      ::close(fd);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        kept_.push_back(std::move(kept));
      }
      done_.notify_all();
    }
  }

  std::function<std::string(int)> converse_;
  int listener_ = -1;
  int port_ = 0;
  bool listening_ = false;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable done_;
  std::vector<std::string> kept_;
  std::thread thread_;
};

// A server that takes the connection and never says a word until the client
// goes; keeps "hung".
inline std::string NeverAnswer(int fd) {
  char buffer[512];
  while (::recv(fd, buffer, sizeof buffer, 0) > 0) {
  }
  return "hung";
}

// An HTTP server that keeps each request line and answers with body.
inline std::function<std::string(int)> AnswerHttp(std::string status, std::string body) {
  return [status, body](int fd) {
    const std::string request = ReceiveLine(fd);
    while (!ReceiveLine(fd).empty()) {
    }
    SendText(fd, "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(body.size()) +
                     "\r\nConnection: close\r\n\r\n" + body);
    return request;
  };
}

// An APRS-IS server: a banner, the login line, "# logresp", the packet line;
// keeps "LOGIN\nPACKET".
inline std::function<std::string(int)> AnswerAprs() {
  return [](int fd) {
    SendText(fd, "# test aprs server\r\n");
    const std::string login = ReceiveLine(fd);
    SendText(fd, "# logresp TEST unverified, server TEST\r\n");
    return login + "\n" + ReceiveLine(fd);
  };
}

}  // namespace skyvane::test
