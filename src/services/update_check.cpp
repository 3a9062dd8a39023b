#include "services/update_check.h"

#include <utility>

#include "base/log.h"

namespace tessary {

std::string ServiceUserAgent(const std::string& versionText) {
  return "Tessary-Windows/" + versionText;
}

UpdateCheck::UpdateCheck(HttpClient& http, HttpAddress address, std::string versionText,
                         std::uint32_t ownBuild, std::function<void(UpdateOutcome)> post)
    : http_(http),
      address_(std::move(address)),
      versionText_(std::move(versionText)),
      shared_(std::make_shared<Shared>()) {
  shared_->ownBuild = ownBuild;
  shared_->post = std::move(post);
}

void UpdateCheck::Start(bool manual) {
  manual_ = manual;
  HttpRequest request;
  request.address = address_;
  request.userAgent = ServiceUserAgent(versionText_);
  request.maxResponseBytes = kMaxUpdateDocumentBytes;
  Log("update check %s", manual ? "asked for" : "scheduled");
  http_.Send(std::move(request), [shared = shared_](HttpResponse response) {
    std::optional<UpdateInfo> fetched;
    if (response.answered && response.status == 200) fetched = ParseUpdateDocument(response.body);
    if (fetched) {
      std::lock_guard lock(shared->mutex);
      shared->latest = fetched;
    }
    shared->post(OutcomeOf(fetched, shared->ownBuild));
  });
}

bool UpdateCheck::TakeManual() { return std::exchange(manual_, false); }

std::optional<UpdateInfo> UpdateCheck::Latest() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->latest;
}

}  // namespace tessary
