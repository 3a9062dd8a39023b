#pragma once

// The update check: fetches the update document off the main thread and reports what it
// found by posting one message (WM_UPDATE_RESULT) to the main window. The latest document
// fetched is kept under a mutex because the worker writes it and the main thread reads
// it. A second check while one runs is not refused: both report, and the later one wins.

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/http_client.h"
#include "services/update_document.h"

namespace tessary {

// "Tessary-Windows/" + the own version text.
std::string ServiceUserAgent(const std::string& versionText);

class UpdateCheck {
 public:
  // `post` hands the outcome to the main thread (it is called on the worker).
  UpdateCheck(HttpClient& http, HttpAddress address, std::string versionText,
              std::uint32_t ownBuild, std::function<void(UpdateOutcome)> post);

  // Main thread: starts a check; `manual` when the user asked for it.
  void Start(bool manual);
  // Main thread: whether the check being reported was the user's; cleared once reported.
  bool TakeManual();
  std::optional<UpdateInfo> Latest() const;
  const HttpAddress& Address() const { return address_; }

 private:
  // What a worker touches; shared with it, so a request still running when the program
  // ends never reaches freed memory.
  struct Shared {
    std::uint32_t ownBuild = 0;
    std::function<void(UpdateOutcome)> post;
    std::mutex mutex;  // guards latest
    std::optional<UpdateInfo> latest;
  };

  HttpClient& http_;
  HttpAddress address_;
  std::string versionText_;
  bool manual_ = false;
  std::shared_ptr<Shared> shared_;
};

}  // namespace tessary
