#include "platform/sim/sim_http.h"

namespace tessary {
namespace {

std::string Key(const HttpAddress& address) {
  return (address.secure ? "https://" : "http://") + address.host + ":" +
         std::to_string(address.port) + address.path;
}

}  // namespace

void SimHttp::Send(HttpRequest request, std::function<void(HttpResponse)> done) {
  requests.push_back(request);
  if (hold) {
    held_.emplace_back(std::move(request), std::move(done));
    return;
  }
  done(Answer(request));
}

void SimHttp::Serve(const HttpAddress& address, int status, std::string body) {
  table_[Key(address)] = HttpResponse{true, status, std::move(body)};
}

void SimHttp::ReleaseHeld() {
  auto held = std::move(held_);
  held_.clear();
  for (auto& [request, done] : held) done(Answer(request));
}

HttpResponse SimHttp::Answer(const HttpRequest& request) const {
  auto it = table_.find(Key(request.address));
  if (it == table_.end()) return {};
  HttpResponse response = it->second;
  // The client reads no more than it was asked to.
  if (response.body.size() > request.maxResponseBytes) response.body.resize(request.maxResponseBytes);
  return response;
}

}  // namespace tessary
