#include "core/publish/upload/upload_transport.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <mutex>

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

struct EasyDeleter {
  void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct MultiDeleter {
  void operator()(CURLM* m) const { curl_multi_cleanup(m); }
};

// Runs the transfer of curl through a multi handle of its own, so that the
// wait between its steps also watches the stop signal; false when stopped.
bool Perform(CURL* curl, const TransferStop& stop, CURLcode& rc) {
  std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
  if (!multi || curl_multi_add_handle(multi.get(), curl) != CURLM_OK) {
    rc = CURLE_OUT_OF_MEMORY;
    return true;
  }
  bool stopped = false;
  rc = CURLE_RECV_ERROR;
  for (;;) {
    int running = 0;
    if (curl_multi_perform(multi.get(), &running) != CURLM_OK) break;
    int left = 0;
    bool done = running == 0;
    while (CURLMsg* message = curl_multi_info_read(multi.get(), &left)) {
      if (message->msg == CURLMSG_DONE) {
        rc = message->data.result;
        done = true;
      }
    }
    if (done) break;
    curl_waitfd wake{stop.fd(), CURL_WAIT_POLLIN, 0};
    const unsigned extra = stop.fd() >= 0 ? 1u : 0u;
    if (curl_multi_poll(multi.get(), extra ? &wake : nullptr, extra, 1000, nullptr) != CURLM_OK) break;
    if ((wake.revents & CURL_WAIT_POLLIN) != 0) {
      stopped = true;
      break;
    }
  }
  curl_multi_remove_handle(multi.get(), curl);
  return !stopped;
}

}  // namespace

HttpExchangeResult HttpExchange(const std::string& url, const std::string* post,
                                const std::vector<std::string>& headers,
                                std::chrono::seconds timeout, const TransferStop& stop) {
  static std::once_flag global;
  std::call_once(global, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  HttpExchangeResult result;
  std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
  CURL* curl = easy.get();
  if (curl == nullptr) {
    result.error = "the HTTP library could not start";
    return result;
  }
  curl_slist* list = nullptr;
  for (const std::string& header : headers) {
    if (curl_slist* more = curl_slist_append(list, header.c_str())) list = more;
  }
  const std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headerList(list, &curl_slist_free_all);
  char error[CURL_ERROR_SIZE] = {};
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, static_cast<long>(timeout.count()));
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, static_cast<long>(timeout.count()));
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &KeepAnswer);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &result.body);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "Skyvane");
  if (list != nullptr) curl_easy_setopt(curl, CURLOPT_HTTPHEADER, list);
  if (post != nullptr) {
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(post->size()));
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, post->data());
  }
  CURLcode rc = CURLE_OK;
  if (!Perform(curl, stop, rc)) {
    result.stopped = true;
    result.error = "stopped";
    return result;
  }
  if (rc != CURLE_OK) {
    result.error = error[0] != '\0' ? error : curl_easy_strerror(rc);
    return result;
  }
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
  return result;
}

UploadAnswer HttpGet(const std::string& url, const std::string& query, std::chrono::seconds timeout,
                     const TransferStop& stop) {
  const std::string full = url + (url.find('?') == std::string::npos ? "?" : "&") + query;
  const HttpExchangeResult result = HttpExchange(full, nullptr, {}, timeout, stop);
  UploadAnswer answer;
  if (result.stopped || result.status == 0) {
    answer.text = result.error;
    return answer;
  }
  const std::string said = FirstLine(result.body);
  answer.ok = result.status == 200 && said.find("INVALID") == std::string::npos &&
              said.find("ERROR") == std::string::npos;
  answer.text = "HTTP " + std::to_string(result.status) + (said.empty() ? "" : ": " + said);
  return answer;
}

std::string HostAndPort(const std::string& host, int port) {
  const bool v6 = host.find(':') != std::string::npos;
  return (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

}  // namespace skyvane
