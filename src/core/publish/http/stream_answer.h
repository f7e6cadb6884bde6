#pragma once
// The body of a streamed HTTP answer (an event stream, a long records answer)
// between the thread that writes it and the server's event loop that sends
// it. The loop never waits: with nothing to send it parks the connection
// (suspends it in libmicrohttpd) and the writer wakes it (resumes it). The
// writer waits while the client is slow to take what is there.
#include <microhttpd.h>

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>

namespace skyvane {

class StreamAnswer {
 public:
  // bound: the bytes held for the client before Push waits (Wait) or the
  // stream counts as stuck (Offer).
  StreamAnswer(MHD_Connection* connection, std::size_t bound) : connection_(connection), bound_(bound) {}

  // Adds text for the client, waiting while more than the bound is held.
  // False when the stream is closed.
  bool Push(const std::string& text);
  // Adds text without waiting; a client that holds more than the bound
  // unread is let go. False when the stream is closed.
  bool Offer(const std::string& text);
  // No more text: the answer ends once what is held is sent.
  void Finish();
  // Ends the stream at once (the server stops, or the client went): the
  // writer's next Push is false; with error the answer is cut, not ended.
  void Close(bool error = false);
  bool closed();

  // A response whose body is this stream; keeps it alive until the
  // connection lets go of it. Chunked.
  static MHD_Response* Response(const std::shared_ptr<StreamAnswer>& answer);

 private:
  ssize_t Read(char* out, std::size_t max);
  // The connection let go of the answer: the writer stops.
  void Release();
  void WakeLocked();

  MHD_Connection* const connection_;
  const std::size_t bound_;
  std::mutex mutex_;
  std::condition_variable taken_;
  std::string held_;
  std::size_t sent_ = 0;  // bytes of held_ already sent
  bool suspended_ = false;
  bool finished_ = false;
  bool closed_ = false;
  bool cut_ = false;
};

}  // namespace skyvane
