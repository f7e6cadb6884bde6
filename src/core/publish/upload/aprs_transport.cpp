// The APRS-IS conversation of upload_transport.h over a plain TCP socket.
#include "core/publish/upload/upload_transport.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/app/posix_file.h"

namespace skyvane {
namespace {

constexpr std::size_t kMaxLine = 4096;

// A line of the answer without the blanks and carriage return after it.
std::string Trimmed(std::string line) {
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) line.pop_back();
  return line;
}

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() < 0 ? 0 : static_cast<int>(left.count());
}

// The end of a wait: the deadline, or the stop signal's descriptor readable.
struct Until {
  Clock::time_point deadline;
  int stopFd;
};

// True when fd is ready for events before the deadline and the stop.
bool WaitFor(int fd, short events, const Until& until) {
  pollfd p[2] = {{fd, events, 0}, {until.stopFd, POLLIN, 0}};
  for (;;) {
    const int n = ::poll(p, until.stopFd >= 0 ? 2 : 1, MillisecondsLeft(until.deadline));
    if (n > 0) return p[1].revents == 0 && p[0].revents != 0;
    if (n == 0 || errno != EINTR) return false;
  }
}

// A connected socket to host:port within the deadline, or an invalid one with why.
FileDescriptor Connect(const std::string& host, int port, const Until& until, std::string& why) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (const int rc = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found); rc != 0) {
    why = "cannot find " + host + ": " + ::gai_strerror(rc);
    return {};
  }
  why = "cannot connect to " + HostAndPort(host, port);
  for (addrinfo* a = found; a != nullptr; a = a->ai_next) {
    FileDescriptor fd(::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol));
    if (!fd) continue;
    if (::connect(fd.get(), a->ai_addr, a->ai_addrlen) != 0 && errno != EINPROGRESS) {
      why += std::string(": ") + std::strerror(errno);
      continue;
    }
    if (!WaitFor(fd.get(), POLLOUT, until)) {
      why += ": timed out";
      continue;
    }
    int error = 0;
    socklen_t length = sizeof error;
    ::getsockopt(fd.get(), SOL_SOCKET, SO_ERROR, &error, &length);
    if (error != 0) {
      why += std::string(": ") + std::strerror(error);
      continue;
    }
    ::freeaddrinfo(found);
    return fd;
  }
  ::freeaddrinfo(found);
  return {};
}

bool SendLine(int fd, const std::string& line, const Until& until) {
  const std::string text = line + "\r\n";
  std::size_t sent = 0;
  while (sent < text.size()) {
    if (!WaitFor(fd, POLLOUT, until)) return false;
    const ssize_t n = ::send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno != EINTR && errno != EAGAIN) return false;
    if (n > 0) sent += static_cast<std::size_t>(n);
  }
  return true;
}

// The next line from the server; false at the deadline, the stop or the end of the stream.
bool ReceiveLine(int fd, std::string& buffer, std::string& line, const Until& until) {
  for (;;) {
    if (const std::size_t nl = buffer.find('\n'); nl != std::string::npos) {
      line = Trimmed(buffer.substr(0, nl));
      buffer.erase(0, nl + 1);
      return true;
    }
    if (buffer.size() > kMaxLine || !WaitFor(fd, POLLIN, until)) return false;
    char chunk[512];
    const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
    if (n == 0) return false;
    if (n < 0 && errno != EINTR && errno != EAGAIN) return false;
    if (n > 0) buffer.append(chunk, static_cast<std::size_t>(n));
  }
}

// Whether a "# logresp CALL unverified, ..." line says the login was not verified.
bool SaysUnverified(const std::string& logresp) {
  const std::size_t call = logresp.find_first_not_of(' ', std::string_view("# logresp").size());
  const std::size_t word = logresp.find(' ', call == std::string::npos ? logresp.size() : call);
  return word != std::string::npos && logresp.compare(word + 1, 10, "unverified") == 0;
}

}  // namespace

UploadAnswer AprsSend(const AprsExchange& x, std::chrono::seconds timeout, const TransferStop& stop) {
  UploadAnswer answer;
  const Until until{Clock::now() + timeout, stop.fd()};
  const auto fail = [&](std::string why) {
    answer.text = stop.raised() ? "stopped" : std::move(why);
    return answer;
  };
  std::string why;
  FileDescriptor fd = Connect(x.host, x.port, until, why);
  if (!fd) return fail(why);
  if (!SendLine(fd.get(), x.login, until)) return fail("the login could not be sent");
  std::string buffer;
  std::string line;
  for (;;) {
    if (!ReceiveLine(fd.get(), buffer, line, until)) {
      return fail("no login response from " + HostAndPort(x.host, x.port));
    }
    if (line.rfind("# logresp", 0) == 0) break;
  }
  if (x.needsVerification && SaysUnverified(line)) {
    return fail("the server did not verify the login (check Callsign and Passcode): " + line);
  }
  if (!SendLine(fd.get(), x.packet, until)) return fail("the packet could not be sent");
  ::shutdown(fd.get(), SHUT_WR);
  answer.ok = true;
  answer.text = line;
  return answer;
}

}  // namespace skyvane
