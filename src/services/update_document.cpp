#include "services/update_document.h"

#include <cmath>
#include <limits>

#include "layout/json_value.h"

namespace tessary {

std::optional<UpdateInfo> ParseUpdateDocument(std::string_view body) {
  JsonValue document;
  if (!ParseJson(body, document) || !document.IsObject()) return std::nullopt;
  const JsonValue* build = Find(document, "build");
  if (build == nullptr || !build->IsNumber() || !(build->AsNumber() > 0.0)) return std::nullopt;
  UpdateInfo info;
  const double number = std::trunc(build->AsNumber());
  // 2^63 and more (or infinity) would not convert: such a build is simply the greatest.
  info.build = number >= 9.2e18 ? std::numeric_limits<std::int64_t>::max()
                                : static_cast<std::int64_t>(number);
  const JsonValue* version = Find(document, "version");
  if (version != nullptr && version->IsString()) info.version = version->AsString();
  return info;
}

UpdateOutcome OutcomeOf(const std::optional<UpdateInfo>& fetched, std::uint32_t ownBuild) {
  if (!fetched) return UpdateOutcome::kUnreachable;
  // Without a readable version resource (build 0) every answer would look newer.
  if (ownBuild >= 1 && fetched->build > static_cast<std::int64_t>(ownBuild)) {
    return UpdateOutcome::kAvailable;
  }
  return UpdateOutcome::kUpToDate;
}

}  // namespace tessary
