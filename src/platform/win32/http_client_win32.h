#pragma once

// HTTP(S) requests with WinHTTP on the system thread pool (QueueUserWorkItem): the
// caller's thread is never blocked, and the answer goes to the request's `done` on the
// worker thread. Every handle is closed on every path.

#include "platform/http_client.h"

namespace tessary {

class Win32HttpClient final : public HttpClient {
 public:
  void Send(HttpRequest request, std::function<void(HttpResponse)> done) override;
};

// The request carried out on the calling thread (blocking); used by the workers.
HttpResponse PerformHttpRequest(const HttpRequest& request);

}  // namespace tessary
