#include "core/publish/http/http_server.h"

#include <httplib.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "core/publish/http/dashboard_texts.h"
#include "core/publish/http/records_query.h"
#include "core/publish/http/web_assets.h"
#include "core/publish/reading_json.h"

namespace skyvane {
namespace {

// Set on a thread that serves a connection beyond the queue's bound: the
// request gets 503 at once.
thread_local bool tOverloaded = false;

// The server's threads: a fixed number of workers and a bounded queue. A
// connection that finds the queue full is answered 503 on the accepting
// thread (the library hands a queue only work, never the socket, so the only
// way to close it is to serve it).
class BoundedPool final : public httplib::TaskQueue {
 public:
  BoundedPool(int threads, std::size_t queued) : queued_(queued) {
    for (int i = 0; i < threads; ++i) workers_.emplace_back([this] { Work(); });
  }
  void enqueue(std::function<void()> fn) override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (jobs_.size() < queued_) {
        jobs_.push_back(std::move(fn));
        ready_.notify_one();
        return;
      }
    }
    tOverloaded = true;
    fn();
    tOverloaded = false;
  }
  void shutdown() override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      down_ = true;
    }
    ready_.notify_all();
    for (std::thread& t : workers_) t.join();
    workers_.clear();
  }

 private:
  void Work() {
    for (;;) {
      std::function<void()> fn;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        ready_.wait(lock, [this] { return down_ || !jobs_.empty(); });
        if (jobs_.empty()) return;
        fn = std::move(jobs_.front());
        jobs_.pop_front();
      }
      fn();
    }
  }

  std::size_t queued_;
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<std::function<void()>> jobs_;
  std::vector<std::thread> workers_;
  bool down_ = false;
};

void Refuse(httplib::Response& res, int status, const std::string& reason) {
  res.status = status;
  res.set_header("Connection", "close");
  res.set_header("Cache-Control", "no-store");
  res.set_content(reason + "\n", "text/plain; charset=utf-8");
}

// The page with the reader's language and texts filled in.
std::string DashboardPage(std::string_view page, int languageIndex) {
  std::string texts = DashboardTextsJson(languageIndex);
  // The texts sit inside a script element: "</" must not end it.
  for (std::size_t at = 0; (at = texts.find("</", at)) != std::string::npos; at += 3) {
    texts.replace(at, 2, "<\\/");
  }
  std::string out(page);
  auto fill = [&out](std::string_view mark, const std::string& value) {
    const std::size_t at = out.find(mark);
    if (at != std::string::npos) out.replace(at, mark.size(), value);
  };
  fill("{{LANG}}", std::string(LanguageTag(languageIndex)));
  fill("{{TEXTS}}", texts);
  return out;
}

std::string SseEvent(const std::string& json) { return "event: current\ndata: " + json + "\n\n"; }

}  // namespace

struct HttpServer::Impl {
  Impl(CurrentSource& c, DataFileReader& d, const Clock& k, HttpServerLimits l)
      : current(c), data(d), clock(k), limits(l) {}

  void Route();
  void Records(const httplib::Request& req, httplib::Response& res);
  void Events(httplib::Response& res);

  CurrentSource& current;
  DataFileReader& data;
  const Clock& clock;
  HttpServerLimits limits;
  httplib::Server server;
  std::thread thread;
  std::atomic<int> port{0};
  std::atomic<std::size_t> streams{0};
  std::atomic<bool> stopping{false};
};

void HttpServer::Impl::Route() {
  const int threads = limits.threads;
  const std::size_t queued = limits.queued;
  server.new_task_queue = [threads, queued] { return new BoundedPool(threads, queued); };
  const auto timeout = static_cast<time_t>(limits.timeout.count());
  server.set_read_timeout(timeout, 0);
  server.set_write_timeout(timeout, 0);
  server.set_keep_alive_timeout(timeout);
  server.set_keep_alive_max_count(100);
  server.set_payload_max_length(0);

  // What every request must be before it reaches a handler: not one too many,
  // a GET or HEAD, without a body.
  server.set_pre_routing_handler([](const httplib::Request& req, httplib::Response& res) {
    if (tOverloaded) {
      Refuse(res, 503, "busy: too many connections");
      return httplib::Server::HandlerResponse::Handled;
    }
    if (req.method != "GET" && req.method != "HEAD") {
      Refuse(res, 405, "read-only: only GET and HEAD");
      res.set_header("Allow", "GET, HEAD");
      return httplib::Server::HandlerResponse::Handled;
    }
    // Paths are matched as they are: no encoded or relative pieces to decode.
    const std::string_view path = std::string_view(req.target).substr(0, req.target.find('?'));
    if (path.find('%') != std::string_view::npos || path.find("..") != std::string_view::npos ||
        path.find('\\') != std::string_view::npos) {
      Refuse(res, 400, "no such path");
      return httplib::Server::HandlerResponse::Handled;
    }
    const std::string length = req.get_header_value("Content-Length");
    if ((!length.empty() && length != "0") || req.has_header("Transfer-Encoding")) {
      Refuse(res, 400, "a request must not have a body");
      return httplib::Server::HandlerResponse::Handled;
    }
    return httplib::Server::HandlerResponse::Unhandled;
  });
  server.set_error_handler([](const httplib::Request&, httplib::Response& res) {
    if (res.body.empty()) {
      res.set_content(res.status == 404 ? "not found\n" : "refused\n", "text/plain; charset=utf-8");
    }
  });
  server.set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
    Refuse(res, 500, "internal error");
  });

  // Only the paths below exist; a path that takes no parameters refuses any.
  auto plain = [](const httplib::Request& req, httplib::Response& res) {
    if (req.params.empty() && req.target.find('?') == std::string::npos) return true;
    Refuse(res, 400, "this path takes no parameters");
    return false;
  };
  for (const WebAsset& asset : WebAssets()) {
    const std::string pattern = std::string(asset.path) == "/" ? "/" : "/" + std::string(asset.path.substr(1));
    std::string regex;
    for (char c : pattern) {
      if (c == '.') regex += '\\';
      regex += c;
    }
    const WebAsset a = asset;
    server.Get(regex, [a, plain](const httplib::Request& req, httplib::Response& res) {
      if (!plain(req, res)) return;
      res.set_header("Cache-Control", "no-cache");
      if (a.path == "/") {
        res.set_header("Vary", "Accept-Language");
        res.set_content(DashboardPage(a.Text(), LanguageFromAcceptLanguage(req.get_header_value("Accept-Language"))),
                        std::string(a.contentType));
      } else {
        res.set_content(a.Text().data(), a.size, std::string(a.contentType));
      }
    });
  }
  server.Get("/api/health", [plain](const httplib::Request& req, httplib::Response& res) {
    if (!plain(req, res)) return;
    res.set_header("Cache-Control", "no-store");
    res.set_content("{\"ok\":true}\n", "application/json; charset=utf-8");
  });
  server.Get("/api/current", [this, plain](const httplib::Request& req, httplib::Response& res) {
    if (!plain(req, res)) return;
    res.set_header("Cache-Control", "no-store");
    res.set_content(current.CurrentJson() + "\n", "application/json; charset=utf-8");
  });
  server.Get("/api/records", [this](const httplib::Request& req, httplib::Response& res) { Records(req, res); });
  server.Get("/api/events", [this, plain](const httplib::Request& req, httplib::Response& res) {
    if (plain(req, res)) Events(res);
  });
}

void HttpServer::Impl::Records(const httplib::Request& req, httplib::Response& res) {
  std::vector<std::pair<std::string, std::string>> params(req.params.begin(), req.params.end());
  RecordsQuery query;
  std::string error;
  if (!ParseRecordsQuery(params, clock.Now(), query, error)) {
    Refuse(res, 400, error);
    // An API answers in its own format; the reason holds printable ASCII only.
    res.set_content("{\"error\":" + JsonString(error) + "}\n", "application/json; charset=utf-8");
    return;
  }
  HistoryTable rows;
  data.LoadRange(rows, query.start, query.end);
  const std::vector<std::size_t> picked = PickRows(rows.size(), query.maxPoints);
  res.set_header("Cache-Control", "no-store");
  res.set_header("X-Records-Found", std::to_string(rows.size()));
  if (query.csv) {
    res.set_content(RecordsCsv(rows, picked, query), "text/csv; charset=utf-8");
  } else {
    res.set_content(RecordsJson(rows, picked, query), "application/json; charset=utf-8");
  }
}

void HttpServer::Impl::Events(httplib::Response& res) {
  if (streams.fetch_add(1) >= limits.streams) {
    streams.fetch_sub(1);
    Refuse(res, 503, "busy: too many event streams");
    return;
  }
  res.set_header("Cache-Control", "no-store");
  res.set_header("X-Accel-Buffering", "no");
  auto seen = std::make_shared<std::uint64_t>(current.Cycle());
  auto started = std::make_shared<bool>(false);
  res.set_chunked_content_provider(
      "text/event-stream",
      [this, seen, started](std::size_t, httplib::DataSink& sink) {
        if (stopping) return false;
        std::string chunk;
        if (!*started) {
          // The state so far at once, so a page need not wait a whole cycle.
          *started = true;
          chunk = "retry: 3000\n\n" + SseEvent(current.CurrentJson());
        } else if (current.WaitForCycle(*seen, limits.heartbeat)) {
          chunk = SseEvent(current.CurrentJson());
        } else if (stopping) {
          return false;
        } else {
          // Keeps proxies from dropping a quiet stream and finds clients gone.
          chunk = ": heartbeat\n\n";
        }
        return sink.write(chunk.data(), chunk.size());
      },
      [this](bool) { streams.fetch_sub(1); });
}

HttpServer::HttpServer(CurrentSource& current, DataFileReader& data, const Clock& clock,
                       HttpServerLimits limits)
    : impl_(std::make_unique<Impl>(current, data, clock, limits)) {
  impl_->Route();
}

HttpServer::~HttpServer() { Stop(); }

bool HttpServer::Start(const ListenAddress& address, std::string& error) {
  int port = address.port;
  if (port == 0) {
    port = impl_->server.bind_to_any_port(address.host);
    if (port < 0) port = 0;
  } else if (!impl_->server.bind_to_port(address.host, port)) {
    port = 0;
  }
  if (port == 0) {
    error = "cannot listen on " + address.host + ":" + std::to_string(address.port);
    return false;
  }
  impl_->port = port;
  impl_->thread = std::thread([this] { impl_->server.listen_after_bind(); });
  return true;
}

int HttpServer::port() const { return impl_->port; }

void HttpServer::Stop() {
  if (!impl_->thread.joinable()) return;
  impl_->stopping = true;
  impl_->current.Stop();
  impl_->server.stop();
  impl_->thread.join();
}

}  // namespace skyvane
