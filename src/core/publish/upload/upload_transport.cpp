#include "core/publish/upload/upload_transport.h"

#include <curl/curl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>

#include "core/app/posix_file.h"

namespace skyvane {
namespace {

constexpr std::size_t kMaxAnswer = 4096;

std::size_t KeepAnswer(char* data, std::size_t size, std::size_t count, void* user) {
  auto* answer = static_cast<std::string*>(user);
  const std::size_t n = size * count;
  if (answer->size() < kMaxAnswer) answer->append(data, std::min(n, kMaxAnswer - answer->size()));
  return n;
}

// The first line of an answer, without blanks around it.
std::string FirstLine(const std::string& text) {
  std::string line = text.substr(0, text.find_first_of("\r\n"));
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
  return line;
}

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() < 0 ? 0 : static_cast<int>(left.count());
}

bool WaitFor(int fd, short events, Clock::time_point deadline) {
  pollfd p{fd, events, 0};
  for (;;) {
    const int n = ::poll(&p, 1, MillisecondsLeft(deadline));
    if (n > 0) return true;
    if (n == 0 || errno != EINTR) return false;
  }
}

// A connected socket to host:port within the deadline, or an invalid one with why.
FileDescriptor Connect(const std::string& host, int port, Clock::time_point deadline, std::string& why) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (const int rc = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found); rc != 0) {
    why = "cannot find " + host + ": " + ::gai_strerror(rc);
    return {};
  }
  why = "cannot connect to " + host + ":" + std::to_string(port);
  for (addrinfo* a = found; a != nullptr; a = a->ai_next) {
    FileDescriptor fd(::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol));
    if (!fd) continue;
    if (::connect(fd.get(), a->ai_addr, a->ai_addrlen) != 0 && errno != EINPROGRESS) {
      why += std::string(": ") + std::strerror(errno);
      continue;
    }
    if (!WaitFor(fd.get(), POLLOUT, deadline)) {
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

bool SendLine(int fd, const std::string& line, Clock::time_point deadline) {
  const std::string text = line + "\r\n";
  std::size_t sent = 0;
  while (sent < text.size()) {
    if (!WaitFor(fd, POLLOUT, deadline)) return false;
    const ssize_t n = ::send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno != EINTR && errno != EAGAIN) return false;
    if (n > 0) sent += static_cast<std::size_t>(n);
  }
  return true;
}

// The next line from the server; false at the deadline or the end of the stream.
bool ReceiveLine(int fd, std::string& buffer, std::string& line, Clock::time_point deadline) {
  for (;;) {
    if (const std::size_t nl = buffer.find('\n'); nl != std::string::npos) {
      line = FirstLine(buffer.substr(0, nl));
      buffer.erase(0, nl + 1);
      return true;
    }
    if (buffer.size() > kMaxAnswer || !WaitFor(fd, POLLIN, deadline)) return false;
    char chunk[512];
    const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
    if (n == 0) return false;
    if (n < 0 && errno != EINTR && errno != EAGAIN) return false;
    if (n > 0) buffer.append(chunk, static_cast<std::size_t>(n));
  }
}

}  // namespace

UploadAnswer HttpGet(const std::string& url, const std::string& query, std::chrono::seconds timeout) {
  static std::once_flag global;
  std::call_once(global, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  UploadAnswer answer;
  CURL* curl = curl_easy_init();
  if (curl == nullptr) {
    answer.text = "the HTTP library could not start";
    return answer;
  }
  const std::string full = url + (url.find('?') == std::string::npos ? "?" : "&") + query;
  std::string body;
  char error[CURL_ERROR_SIZE] = {};
  curl_easy_setopt(curl, CURLOPT_URL, full.c_str());
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, static_cast<long>(timeout.count()));
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, static_cast<long>(timeout.count()));
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &KeepAnswer);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "Skyvane");
  const CURLcode rc = curl_easy_perform(curl);
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  curl_easy_cleanup(curl);
  if (rc != CURLE_OK) {
    answer.text = error[0] != '\0' ? error : curl_easy_strerror(rc);
    return answer;
  }
  const std::string said = FirstLine(body);
  answer.ok = status == 200 && said.find("INVALID") == std::string::npos &&
              said.find("ERROR") == std::string::npos;
  answer.text = "HTTP " + std::to_string(status) + (said.empty() ? "" : ": " + said);
  return answer;
}

UploadAnswer AprsSend(const std::string& host, int port, const std::string& login,
                      const std::string& packet, std::chrono::seconds timeout) {
  UploadAnswer answer;
  const Clock::time_point deadline = Clock::now() + timeout;
  FileDescriptor fd = Connect(host, port, deadline, answer.text);
  if (!fd) return answer;
  if (!SendLine(fd.get(), login, deadline)) {
    answer.text = "the login could not be sent";
    return answer;
  }
  std::string buffer;
  std::string line;
  for (;;) {
    if (!ReceiveLine(fd.get(), buffer, line, deadline)) {
      answer.text = "no login response from " + host + ":" + std::to_string(port);
      return answer;
    }
    if (line.rfind("# logresp", 0) == 0) break;
  }
  if (!SendLine(fd.get(), packet, deadline)) {
    answer.text = "the packet could not be sent";
    return answer;
  }
  ::shutdown(fd.get(), SHUT_WR);
  answer.ok = true;
  answer.text = line;
  return answer;
}

}  // namespace skyvane
