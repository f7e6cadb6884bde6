#include "core/publish/http/http_server.h"

#include <microhttpd.h>
#include <netdb.h>
#include <netinet/in.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdarg>
#include <cstring>
#include <mutex>
#include <cstdint>
#include <utility>

#include "core/app/time_text.h"
#include "core/publish/http/answer_workers.h"
#include "core/publish/http/climate_answer.h"
#include "core/publish/http/dashboard_texts.h"
#include "core/publish/http/event_streams.h"
#include "core/publish/http/http_target.h"
#include "core/publish/http/live_metrics.h"
#include "core/publish/http/records_answer.h"
#include "core/publish/http/request_deadlines.h"
#include "core/publish/http/stream_answer.h"
#include "core/publish/http/web_assets.h"
#include "core/publish/metrics_text.h"
#include "core/publish/program_counters.h"
#include "core/publish/reading_json.h"

namespace skyvane {
namespace {

constexpr const char* kJson = "application/json; charset=utf-8";

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

MHD_Response* Copied(const std::string& body) {
  return MHD_create_response_from_buffer(body.size(), const_cast<char*>(body.data()), MHD_RESPMEM_MUST_COPY);
}

MHD_Result Send(MHD_Connection* connection, unsigned status, MHD_Response* response) {
  const MHD_Result result = MHD_queue_response(connection, status, response);
  MHD_destroy_response(response);
  return result;
}

// A refusal: the reason as JSON (printable ASCII only, quoted pieces of the
// request included), the connection closed after it.
MHD_Result Refuse(MHD_Connection* connection, unsigned status, const std::string& reason,
                  const char* extraName = nullptr, const char* extraValue = nullptr) {
  MHD_Response* response = Copied("{\"error\":" + JsonString(reason) + "}\n");
  MHD_add_response_header(response, "Content-Type", kJson);
  MHD_add_response_header(response, "Cache-Control", "no-store");
  MHD_add_response_header(response, "Connection", "close");
  if (extraName) MHD_add_response_header(response, extraName, extraValue);
  return Send(connection, status, response);
}

// Refuse, for a check that tells whether it refused.
template <class... Args>
bool Refused(Args... args) {
  Refuse(args...);
  return true;
}

// What the header lines of a request come to.
struct HeaderTally {
  std::size_t count = 0, bytes = 0, contentLengths = 0;
  bool transferEncoding = false;
  std::string contentLength;
};

MHD_Result TallyHeader(void* cls, MHD_ValueKind, const char* key, const char* value) {
  auto* tally = static_cast<HeaderTally*>(cls);
  ++tally->count;
  tally->bytes += std::strlen(key) + (value ? std::strlen(value) : 0) + 4;
  if (::strcasecmp(key, "Content-Length") == 0) {
    ++tally->contentLengths;
    tally->contentLength = value ? value : "";
  }
  if (::strcasecmp(key, "Transfer-Encoding") == 0) tally->transferEncoding = true;
  return MHD_YES;
}

// A records answer on its way: counted on a worker thread while its
// connection waits, then written there while the loop sends it.
struct RecordsJob {
  RecordsQuery query;
  RecordsAnswer answer;
  std::atomic<bool> counted{false};
  bool readable = false;  // set before counted
  std::shared_ptr<StreamAnswer> stream;
};

// A climate answer made on a worker thread while its connection waits.
struct ClimateJob {
  ClimateQuery query;
  ClimateAnswer answer;
};

// Each request's own state, from its first line to its end.
struct Request {
  std::string target;  // as sent
  std::shared_ptr<RecordsJob> records;  // while the records are counted
  std::shared_ptr<ClimateJob> climate;  // while the climate answer is made
  bool checked = false;
  bool answered = false;
};

}  // namespace

struct HttpServer::Impl {
  Impl(CurrentSource& c, DataFileReader& d, const Clock& k, HttpServerLimits l, std::vector<std::string> a)
      : current(c), data(d), clock(k), limits(l), allowed(std::move(a)),
        deadlines(l.deadline), events(c, l.streams, l.heartbeat), workers(l.records) {}

  MHD_Result Answer(MHD_Connection* connection, Request& request);
  // True when the request was refused.
  bool Check(MHD_Connection* connection, const char* method);
  MHD_Result Records(MHD_Connection* connection, Request& request, const HttpTarget& target);
  MHD_Result Climate(MHD_Connection* connection, Request& request, const ClimateQuery& query);
  void WriteRecords(MHD_Connection* connection, const std::shared_ptr<RecordsJob>& job);
  std::string Metrics() const;

  CurrentSource& current;
  DataFileReader& data;
  const Clock& clock;
  HttpServerLimits limits;
  std::vector<std::string> allowed;
  ListenAddress address;
  RequestDeadlines deadlines;
  EventStreams events;
  AnswerWorkers workers;
  MHD_Daemon* daemon = nullptr;
  std::atomic<int> port{0};
  std::atomic<bool> stopping{false};
  const ProgramCounters* counters = nullptr;
  std::array<std::atomic<std::uint64_t>, 600> answered{};  // by status code
  std::mutex jobsMutex;
  std::vector<std::weak_ptr<StreamAnswer>> recordStreams;  // to end at Stop
  climate::ClimateOptions climateOptions;
  std::unique_ptr<climate::ClimateBook> book;  // made at Start
};

// What every request must be before it is answered: for this server, not
// too big, a GET or HEAD, without a body.
bool HttpServer::Impl::Check(MHD_Connection* connection, const char* method) {
  HeaderTally tally;
  MHD_get_connection_values(connection, MHD_HEADER_KIND, &TallyHeader, &tally);
  if (tally.count > limits.headerCount || tally.bytes > limits.headerBytes) {
    return Refused(connection, 431, "the request's header lines are too many or too long");
  }
  const char* host = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Host");
  if (!host || !HostAllowed(host, address, allowed)) {
    return Refused(connection, 421, "this server does not answer to that host name");
  }
  const std::string_view m = method;
  if (m != "GET" && m != "HEAD") {
    static constexpr std::string_view kKnown[] = {"POST", "PUT", "DELETE", "PATCH", "OPTIONS", "TRACE", "CONNECT"};
    for (std::string_view known : kKnown) {
      if (m == known) return Refused(connection, 405, "read-only: only GET and HEAD", "Allow", "GET, HEAD");
    }
    return Refused(connection, 400, "unknown method");
  }
  if (tally.contentLengths > 1 || (tally.contentLengths == 1 && tally.contentLength != "0") ||
      tally.transferEncoding) {
    return Refused(connection, 400, "a request must not have a body");
  }
  return false;
}

// Routes a request that passed Check. Only the paths below exist; a path
// that takes no parameters refuses any.
MHD_Result HttpServer::Impl::Answer(MHD_Connection* connection, Request& request) {
  if (request.records) {
    // Back from counting the records.
    const std::shared_ptr<RecordsJob>& job = request.records;
    if (stopping) return Refuse(connection, 503, "the server is stopping");
    if (!job->readable) return Refuse(connection, 500, "the data file cannot be read");
    MHD_Response* response = StreamAnswer::Response(job->stream);
    const RecordsQuery& query = job->query;
    MHD_add_response_header(response, "Content-Type", query.csv ? "text/csv; charset=utf-8" : kJson);
    if (query.csv) MHD_add_response_header(response, "Content-Disposition", "attachment; filename=\"records.csv\"");
    MHD_add_response_header(response, "Cache-Control", "no-store");
    MHD_add_response_header(response, "X-Records-Found", std::to_string(job->answer.found()).c_str());
    request.records.reset();  // the response keeps the stream now
    return Send(connection, MHD_HTTP_OK, response);
  }
  if (request.climate) {
    // Back from the worker; the job is this request's alone now.
    const std::shared_ptr<ClimateJob> job = std::move(request.climate);
    MHD_Response* response = Copied(job->answer.body);
    MHD_add_response_header(response, "Content-Type", job->answer.contentType.c_str());
    MHD_add_response_header(response, "Cache-Control", "no-store");
    return Send(connection, job->answer.status, response);
  }
  if (request.target.size() > limits.headerBytes) return Refuse(connection, 414, "the path is too long");
  HttpTarget target;
  std::string error;
  if (!ParseTarget(request.target, target, error)) return Refuse(connection, 400, error);
  if (target.path == "/api/records") return Records(connection, request, target);
  ClimateQuery climateQuery;
  switch (ParseClimateTarget(target, climateQuery, error)) {
    case ClimateRoute::kBad:
      return Refuse(connection, 400, error);
    case ClimateRoute::kQuery:
      return Climate(connection, request, climateQuery);
    case ClimateRoute::kNotClimate:
      break;
  }

  const WebAsset* asset = nullptr;
  for (const WebAsset& a : WebAssets()) {
    if (a.path == target.path) asset = &a;
  }
  const bool api = target.path == "/api/health" || target.path == "/api/current" ||
                   target.path == "/api/events" || target.path == "/metrics";
  if (!asset && !api) return Refuse(connection, 404, "not found");
  if (target.hasQuery) return Refuse(connection, 400, "this path takes no parameters");

  if (target.path == "/api/events") {
    const std::shared_ptr<StreamAnswer> stream = events.Open(connection);
    if (!stream) return Refuse(connection, 503, "busy: too many event streams", "Retry-After", "10");
    MHD_Response* response = StreamAnswer::Response(stream);
    MHD_add_response_header(response, "Content-Type", "text/event-stream");
    MHD_add_response_header(response, "Cache-Control", "no-store");
    MHD_add_response_header(response, "X-Accel-Buffering", "no");
    return Send(connection, MHD_HTTP_OK, response);
  }
  MHD_Response* response = nullptr;
  if (target.path == "/metrics") {
    response = Copied(Metrics());
    MHD_add_response_header(response, "Content-Type", kMetricsContentType);
    MHD_add_response_header(response, "Cache-Control", "no-store");
  } else if (api) {
    response = Copied(target.path == "/api/health" ? std::string("{\"ok\":true}\n") : current.CurrentJson() + "\n");
    MHD_add_response_header(response, "Content-Type", kJson);
    MHD_add_response_header(response, "Cache-Control", "no-store");
  } else if (asset->path == "/") {
    const char* language = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Accept-Language");
    response = Copied(DashboardPage(asset->Text(), LanguageFromAcceptLanguage(language ? language : "")));
    MHD_add_response_header(response, "Content-Type", std::string(asset->contentType).c_str());
    MHD_add_response_header(response, "Vary", "Accept-Language");
    MHD_add_response_header(response, "Cache-Control", "no-cache");
  } else {
    response = MHD_create_response_from_buffer(asset->size, const_cast<char*>(asset->Text().data()),
                                               MHD_RESPMEM_PERSISTENT);
    MHD_add_response_header(response, "Content-Type", std::string(asset->contentType).c_str());
    MHD_add_response_header(response, "Cache-Control", "no-cache");
  }
  return Send(connection, MHD_HTTP_OK, response);
}

MHD_Result HttpServer::Impl::Records(MHD_Connection* connection, Request& request, const HttpTarget& target) {
  auto job = std::make_shared<RecordsJob>();
  std::string error;
  if (!ParseRecordsQuery(target.params, clock.Now(), job->query, error)) return Refuse(connection, 400, error);
  // What is held for the client before the writer waits for it.
  job->stream = std::make_shared<StreamAnswer>(connection, 512 * 1024);
  {
    std::lock_guard<std::mutex> lock(jobsMutex);
    if (stopping) return Refuse(connection, 503, "the server is stopping");
    std::erase_if(recordStreams, [](const auto& s) { return s.expired(); });
    recordStreams.push_back(job->stream);
  }
  if (!workers.Reserve()) {
    job->stream->Close();
    return Refuse(connection, 503, "busy: too many record answers at once", "Retry-After", "5");
  }
  // The count reads the whole range: off the event loop, the connection
  // waiting aside meanwhile.
  request.records = job;
  MHD_suspend_connection(connection);
  workers.Run([this, connection, job] { WriteRecords(connection, job); });
  return MHD_YES;
}

std::string HttpServer::Impl::Metrics() const {
  std::string text = LiveMetricsText(current.CurrentJson());
  if (counters != nullptr) text += counters->MetricsText();
  MetricsText requests;
  requests.Family("skyvane_http_requests_total", "counter", "Requests this HTTP server answered, by status code.");
  for (std::size_t code = 100; code < answered.size(); ++code) {
    const std::uint64_t n = answered[code].load(std::memory_order_relaxed);
    if (n > 0) requests.Sample(static_cast<double>(n), {{"code", std::to_string(code)}});
  }
  return text + requests.Text();
}

MHD_Result HttpServer::Impl::Climate(MHD_Connection* connection, Request& request,
                                     const ClimateQuery& query) {
  if (stopping) return Refuse(connection, 503, "the server is stopping");
  if (!workers.Reserve()) {
    return Refuse(connection, 503, "busy: too many answers at once", "Retry-After", "5");
  }
  // The first answer reads the whole data file: off the event loop.
  auto job = std::make_shared<ClimateJob>();
  job->query = query;
  request.climate = job;
  MHD_suspend_connection(connection);
  workers.Run([this, connection, job] {
    const climate::ReportUnits units = climate::ReportUnitsOf(current.DisplayUnits());
    job->answer = AnswerClimate(*book, data.path(), job->query, units, climateOptions,
                                LocalTimeText(clock.Now()));
    MHD_resume_connection(connection);
  });
  return MHD_YES;
}

void HttpServer::Impl::WriteRecords(MHD_Connection* connection, const std::shared_ptr<RecordsJob>& job) {
  job->readable = job->answer.Open(data.path(), job->query);
  while (job->readable && !stopping && !job->stream->closed() && job->answer.Count()) {
  }
  job->readable = job->readable && !job->answer.failed();
  MHD_resume_connection(connection);
  if (!job->readable) return;
  std::string piece;
  while (job->answer.Produce(piece)) {
    if (!piece.empty() && !job->stream->Push(piece)) return;
    piece.clear();
  }
  // A read that failed halfway cuts the answer rather than end it short.
  if (job->answer.failed()) job->stream->Close(true);
  else job->stream->Finish();
}

namespace {

HttpServer::Impl& ImplOf(void* cls) { return *static_cast<HttpServer::Impl*>(cls); }

std::uintptr_t IdOf(MHD_Connection* connection) { return reinterpret_cast<std::uintptr_t>(connection); }

// The request line as sent, kept for the handler (libmicrohttpd decodes the
// path it hands over, and paths are matched as they are).
void* OnRequestLine(void*, const char* uri, MHD_Connection*) {
  auto* request = new Request;
  request->target = uri ? uri : "";
  return request;
}

MHD_Result OnRequest(void* cls, MHD_Connection* connection, const char*, const char* method, const char*,
                     const char*, std::size_t* uploadSize, void** context) {
  HttpServer::Impl& impl = ImplOf(cls);
  if (!*context) *context = new Request;
  auto* request = static_cast<Request*>(*context);
  if (*uploadSize != 0) {
    // A body is refused before it is read; whatever arrives is passed over.
    *uploadSize = 0;
    return MHD_YES;
  }
  if (request->answered) return MHD_YES;
  if (!request->checked) {
    // The head is in: a refusal goes out at once (a body is then never
    // read, and the connection closes); the answer waits for the end of the
    // request, so that the connection may be kept.
    impl.deadlines.Arrived(IdOf(connection));
    request->checked = true;
    request->answered = impl.Check(connection, method);
    return MHD_YES;
  }
  const MHD_Result result = impl.Answer(connection, *request);
  request->answered = !request->records && !request->climate;
  return result;
}

void OnRequestEnded(void* cls, MHD_Connection* connection, void** context, MHD_RequestTerminationCode) {
  auto* request = static_cast<Request*>(*context);
  const MHD_ConnectionInfo* status = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_HTTP_STATUS);
  if (status != nullptr && status->http_status >= 100 && status->http_status < ImplOf(cls).answered.size()) {
    ImplOf(cls).answered[status->http_status].fetch_add(1, std::memory_order_relaxed);
  }
  // A records answer that never got its response: its writer must not wait.
  if (request && request->records) request->records->stream->Close();
  delete request;
  *context = nullptr;
  ImplOf(cls).deadlines.Awaiting(IdOf(connection), -1);
}

void OnConnection(void* cls, MHD_Connection* connection, void**, MHD_ConnectionNotificationCode code) {
  HttpServer::Impl& impl = ImplOf(cls);
  if (code == MHD_CONNECTION_NOTIFY_STARTED) {
    const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
    impl.deadlines.Awaiting(IdOf(connection), info ? info->connect_fd : -1);
  } else {
    impl.deadlines.Closed(IdOf(connection));
  }
}

void QuietLog(void*, const char*, va_list) {}

// A socket listening on the address; -1 with a reason when it cannot be bound.
int Listen(const ListenAddress& address, std::string& error) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const std::string port = std::to_string(address.port);
  int fd = -1;
  if (::getaddrinfo(address.host.c_str(), port.c_str(), &hints, &found) == 0) {
    for (addrinfo* a = found; a && fd < 0; a = a->ai_next) {
      fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
      if (fd < 0) continue;
      const int on = 1;
      ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
      if (::bind(fd, a->ai_addr, a->ai_addrlen) != 0 || ::listen(fd, 128) != 0) {
        ::close(fd);
        fd = -1;
      }
    }
    ::freeaddrinfo(found);
  }
  if (fd < 0) error = "cannot listen on " + address.host + ":" + port;
  return fd;
}

int PortOf(int fd) {
  sockaddr_storage a{};
  socklen_t length = sizeof a;
  if (::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length) != 0) return 0;
  if (a.ss_family == AF_INET6) return ntohs(reinterpret_cast<sockaddr_in6*>(&a)->sin6_port);
  return ntohs(reinterpret_cast<sockaddr_in*>(&a)->sin_port);
}

}  // namespace

HttpServer::HttpServer(CurrentSource& current, DataFileReader& data, const Clock& clock,
                       HttpServerLimits limits, std::vector<std::string> allowedHosts)
    : impl_(std::make_unique<Impl>(current, data, clock, limits, std::move(allowedHosts))) {}

HttpServer::~HttpServer() { Stop(); }

void HttpServer::SetCounters(const ProgramCounters* counters) { impl_->counters = counters; }

bool HttpServer::Start(const ListenAddress& address, std::string& error) {
  Impl& impl = *impl_;
  const int fd = Listen(address, error);
  if (fd < 0) return false;
  impl.address = address;
  impl.book = std::make_unique<climate::ClimateBook>(impl.climateOptions);
  impl.deadlines.Start();
  impl.events.Start();
  impl.workers.Start();
  const HttpServerLimits& l = impl.limits;
  impl.daemon = MHD_start_daemon(
      MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_EPOLL | MHD_ALLOW_SUSPEND_RESUME | MHD_USE_ERROR_LOG, 0,
      nullptr, nullptr, &OnRequest, &impl,
      MHD_OPTION_LISTEN_SOCKET, fd,
      MHD_OPTION_THREAD_POOL_SIZE, static_cast<unsigned>(l.threads),
      MHD_OPTION_CONNECTION_LIMIT, l.connections,
      MHD_OPTION_PER_IP_CONNECTION_LIMIT, l.perClient,
      MHD_OPTION_CONNECTION_TIMEOUT, static_cast<unsigned>(l.timeout.count()),
      // The request's head must fit in this, with room to answer.
      MHD_OPTION_CONNECTION_MEMORY_LIMIT, static_cast<std::size_t>(4 * l.headerBytes + 32 * 1024),
      MHD_OPTION_URI_LOG_CALLBACK, &OnRequestLine, &impl,
      MHD_OPTION_NOTIFY_COMPLETED, &OnRequestEnded, &impl,
      MHD_OPTION_NOTIFY_CONNECTION, &OnConnection, &impl,
      MHD_OPTION_EXTERNAL_LOGGER, &QuietLog, &impl,
      MHD_OPTION_END);
  if (!impl.daemon) {
    ::close(fd);
    impl.workers.Stop();
    impl.events.Stop();
    impl.deadlines.Stop();
    error = "cannot serve on " + address.host + ":" + std::to_string(address.port);
    return false;
  }
  impl.port = PortOf(fd);
  return true;
}

int HttpServer::port() const { return impl_->port; }

void HttpServer::SetClimateOptions(const climate::ClimateOptions& options) {
  impl_->climateOptions = options;
}

void HttpServer::Stop() {
  Impl& impl = *impl_;
  if (!impl.daemon) return;
  {
    std::lock_guard<std::mutex> lock(impl.jobsMutex);
    impl.stopping = true;
    for (const auto& weak : impl.recordStreams) {
      if (const auto stream = weak.lock()) stream->Close();
    }
    impl.recordStreams.clear();
  }
  impl.events.Stop();
  impl.workers.Stop();
  MHD_stop_daemon(impl.daemon);
  impl.daemon = nullptr;
  impl.deadlines.Stop();
}

}  // namespace skyvane
