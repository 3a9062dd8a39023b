#pragma once

// The network as a test wants it: each address answers what the test's table says, or
// not at all. Requests are kept for the test to inspect; with `hold` set they wait
// until the test releases them, like a slow server.

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/http_client.h"

namespace tessary {

class SimHttp final : public HttpClient {
 public:
  void Send(HttpRequest request, std::function<void(HttpResponse)> done) override;

  // The server at `address` answers `status` with `body` from now on.
  void Serve(const HttpAddress& address, int status, std::string body);
  // Answers the requests that `hold` kept back.
  void ReleaseHeld();

  std::vector<HttpRequest> requests;  // every request sent, in order
  bool hold = false;

 private:
  HttpResponse Answer(const HttpRequest& request) const;

  std::map<std::string, HttpResponse> table_;  // by "host:port/path"
  std::vector<std::pair<HttpRequest, std::function<void(HttpResponse)>>> held_;
};

}  // namespace tessary
