#pragma once

// The smallest sizes that windows insist on: observed per window for the run, learned per
// app and kept in minimums.json, so that splits leave each app the room it needs.

#include <map>
#include <set>
#include <string>

#include "layout/document_store.h"
#include "platform/ids.h"
#include "state/minimum_sizes_document.h"

namespace tessary {

struct SizeNeed {
  double width = 0;
  double height = 0;

  friend bool operator==(const SizeNeed&, const SizeNeed&) = default;
};

// A window about which nothing is known is assumed to need this many DIPs.
inline constexpr double kAssumedMinimumWidth = 180;
inline constexpr double kAssumedMinimumHeight = 140;
// Sizes are compared with this tolerance in pixels.
inline constexpr double kSizeTolerance = 5;

class MinimumSizes {
 public:
  // Reads "appMinimumSizes.v1" from `documents` (null: memory only for the run).
  explicit MinimumSizes(DocumentStore* documents = nullptr);

  // The size to plan for: observed and learned combined; the assumed size (times the
  // scale) is a floor only for what was learned, never for what a window was seen to take.
  SizeNeed For(WindowId window, const std::string& appId, double scale) const;

  const std::map<WindowId, SizeNeed>& Observed() const { return observed_; }
  const AppMinimumSizes& Learned() const { return learned_; }
  std::map<WindowId, SizeNeed>& Observed() { return observed_; }

  void SetObserved(WindowId window, SizeNeed size) { observed_[window] = size; }
  void EraseObserved(WindowId window) { observed_.erase(window); }
  // Replaces (or removes, with nullptr) an app's learned size; marks the table dirty when
  // it changes.
  void SetLearned(const std::string& appId, const AppMinimumSize* size);
  // Raises the app's learned size to at least `seen` in each direction.
  void Learn(const std::string& appId, SizeNeed seen);
  // Lowers the app's learned size to a frame it was seen to accept (more than the
  // tolerance smaller); an entry that ends at 0 or less in both directions goes.
  void LowerTo(const std::string& appId, double width, double height);

  // Writes the key when something changed since it was last written.
  void Store();
  // Empties both tables and writes the (empty) key. `liveApps` names the apps of live
  // windows with an observed size; answers how many distinct apps were known.
  int Forget(const std::set<std::string>& observedApps);
  bool Dirty() const { return dirty_; }

 private:
  void Write();

  DocumentStore* documents_;
  std::map<WindowId, SizeNeed> observed_;
  AppMinimumSizes learned_;
  bool dirty_ = false;
};

}  // namespace tessary
