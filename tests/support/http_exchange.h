#pragma once
// A plain-socket HTTP client for the server tests: sends exactly the bytes
// given (so that malformed requests can be sent too) and reads the answer.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace skyvane::test {

struct HttpAnswer {
  int status = 0;  // 0: no answer (the connection closed or timed out first)
  std::string head;
  std::string body;
};

// A connection to 127.0.0.1:port; reads give up after ten seconds.
class HttpConnection {
 public:
  explicit HttpConnection(int port) {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    timeval wait{10, 0};
    ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<std::uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
      ::close(fd_);
      fd_ = -1;
    }
  }
  ~HttpConnection() {
    if (fd_ >= 0) ::close(fd_);
  }
  HttpConnection(const HttpConnection&) = delete;
  HttpConnection& operator=(const HttpConnection&) = delete;

  bool Send(const std::string& bytes) {
    std::size_t sent = 0;
    while (fd_ >= 0 && sent < bytes.size()) {
      const ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) return false;
      sent += static_cast<std::size_t>(n);
    }
    return fd_ >= 0;
  }
  // False once the server has closed the connection (nothing read is lost).
  bool StillOpen() {
    char byte = 0;
    const ssize_t n = fd_ >= 0 ? ::recv(fd_, &byte, 1, MSG_PEEK | MSG_DONTWAIT) : 0;
    return n > 0 || (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK));
  }
  // Reads until text has arrived (after what was read before); false on
  // close or timeout first.
  bool ReadUntil(const std::string& text) {
    while (received_.find(text, consumed_) == std::string::npos) {
      if (!ReadSome()) return false;
    }
    return true;
  }
  // Takes what was received up to and including the next text.
  std::string Take(const std::string& text) {
    if (!ReadUntil(text)) return {};
    const std::size_t end = received_.find(text, consumed_) + text.size();
    std::string out = received_.substr(consumed_, end - consumed_);
    consumed_ = end;
    return out;
  }
  // One whole answer with a Content-Length (the server may keep the
  // connection open after it), else everything until the server closes it.
  std::string ReadAnswer() {
    for (;;) {
      const std::size_t headEnd = received_.find("\r\n\r\n");
      if (headEnd != std::string::npos) {
        const std::size_t length = received_.find("\r\nContent-Length: ");
        if (length != std::string::npos && length < headEnd &&
            received_.size() >= headEnd + 4 + std::strtoul(received_.c_str() + length + 18, nullptr, 10)) {
          return received_;
        }
      }
      if (!ReadSome()) return received_;
    }
  }

 private:
  bool ReadSome() {
    char buffer[65536];
    const ssize_t n = fd_ >= 0 ? ::recv(fd_, buffer, sizeof buffer, 0) : -1;
    if (n <= 0) return false;
    received_.append(buffer, static_cast<std::size_t>(n));
    return true;
  }

  int fd_ = -1;
  std::string received_;
  std::size_t consumed_ = 0;
};

inline HttpAnswer ParseAnswer(const std::string& raw) {
  HttpAnswer answer;
  const std::size_t headEnd = raw.find("\r\n\r\n");
  if (raw.rfind("HTTP/1.1 ", 0) != 0 || headEnd == std::string::npos) return answer;
  answer.status = std::atoi(raw.c_str() + 9);
  answer.head = raw.substr(0, headEnd);
  answer.body = raw.substr(headEnd + 4);
  if (answer.head.find("\r\nTransfer-Encoding: chunked") == std::string::npos) return answer;
  // A streamed body: the chunks joined; what is cut short stays out.
  std::string joined;
  for (std::size_t at = 0;;) {
    const std::size_t line = answer.body.find("\r\n", at);
    if (line == std::string::npos) break;
    const std::size_t size = std::strtoul(answer.body.c_str() + at, nullptr, 16);
    if (size == 0 || line + 2 + size > answer.body.size()) break;
    joined.append(answer.body, line + 2, size);
    at = line + 2 + size + 2;
  }
  answer.body = joined;
  return answer;
}

// Sends the request bytes as they are and reads the answer to the close.
inline HttpAnswer Exchange(int port, const std::string& request) {
  HttpConnection connection(port);
  connection.Send(request);
  return ParseAnswer(connection.ReadAnswer());
}

// GET path, with extra header lines ("Name: value\r\n" each).
inline HttpAnswer Get(int port, const std::string& path, const std::string& headers = "") {
  return Exchange(port, "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n" + headers + "\r\n");
}

// The value of a header of the answer, empty without it.
inline std::string HeaderValue(const HttpAnswer& answer, const std::string& name) {
  const std::string key = "\r\n" + name + ": ";
  const std::size_t at = answer.head.find(key);
  if (at == std::string::npos) return {};
  const std::size_t start = at + key.size();
  return answer.head.substr(start, answer.head.find("\r\n", start) - start);
}

}  // namespace skyvane::test
