#pragma once

// One HTTP request off the main thread: the update check's GET and the feedback form's
// POST. The Win32 backend sends it with WinHTTP on a thread-pool thread; the simulated
// one answers from a table the test fills. Either way the caller is never blocked and
// hears the answer through `done`, which must only store and post (it may run on a
// worker thread).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace tessary {

struct HttpAddress {
  std::string host;
  std::uint16_t port = 443;
  std::string path = "/";
  bool secure = true;  // HTTPS

  friend bool operator==(const HttpAddress&, const HttpAddress&) = default;
};

// How long each stage may take before the request fails, in milliseconds.
struct HttpTimeouts {
  int resolve = 5000;
  int connect = 5000;
  int send = 8000;
  int receive = 8000;
};

struct HttpRequest {
  std::string method = "GET";
  HttpAddress address;
  std::string userAgent;
  std::string contentType;  // empty: no Content-Type header
  std::string body;
  std::size_t maxResponseBytes = 65536;  // longer answers are cut here
  HttpTimeouts timeouts;
};

struct HttpResponse {
  bool answered = false;  // a status was read; false for every failure before that
  int status = 0;
  std::string body;
};

class HttpClient {
 public:
  virtual ~HttpClient() = default;
  // Starts the request and returns at once; `done` is called exactly once.
  virtual void Send(HttpRequest request, std::function<void(HttpResponse)> done) = 0;
};

}  // namespace tessary
