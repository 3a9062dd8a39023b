#include "desktop/app_names.h"

namespace tessary {

bool IsPackagedAppId(std::string_view appId) { return appId.starts_with(kPackagedAppPrefix); }

std::string PackagedAppName(std::string_view userModelId) {
  // "Publisher.Name_hash!Entry": the publisher hash and the entry follow the first '_'.
  std::string_view rest = userModelId.substr(0, userModelId.find('_'));
  std::size_t dot = rest.rfind('.');
  if (dot != std::string_view::npos) rest = rest.substr(dot + 1);
  return std::string(rest);
}

std::string FileStem(std::string_view path) {
  std::size_t slash = path.rfind('\\');
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  std::size_t dot = name.rfind('.');
  if (dot != std::string_view::npos) name = name.substr(0, dot);
  return std::string(name);
}

}  // namespace tessary
