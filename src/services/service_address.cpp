#include "services/service_address.h"

#include <charconv>

#include "services/maker_site.h"

namespace tessary {
namespace {

constexpr std::size_t kMaxUrlLength = 511;

bool IsLoopback(std::string_view host) {
  return host == "127.0.0.1" || host == "localhost" || host == "[::1]";
}

}  // namespace

std::optional<HttpAddress> ParseServiceUrl(std::string_view url) {
  if (url.size() > kMaxUrlLength) return std::nullopt;
  HttpAddress address;
  constexpr std::string_view kHttps = "https://";
  constexpr std::string_view kHttp = "http://";
  if (url.substr(0, kHttps.size()) == kHttps) {
    url.remove_prefix(kHttps.size());
  } else if (url.substr(0, kHttp.size()) == kHttp) {
    url.remove_prefix(kHttp.size());
    address.secure = false;
    address.port = 80;
  } else {
    return std::nullopt;
  }
  const std::size_t slash = url.find('/');
  std::string_view authority = url.substr(0, slash);
  address.path = slash == std::string_view::npos ? "/" : std::string(url.substr(slash));
  // A port after the last colon, unless that colon is inside an IPv6 literal.
  const std::size_t colon = authority.rfind(':');
  if (colon != std::string_view::npos && authority.find(']', colon) == std::string_view::npos) {
    const std::string_view port = authority.substr(colon + 1);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), value);
    if (error != std::errc() || end != port.data() + port.size() || value == 0 || value > 65535) {
      return std::nullopt;
    }
    address.port = static_cast<std::uint16_t>(value);
    authority = authority.substr(0, colon);
  }
  if (authority.empty() || authority.find_first_of(" @?#") != std::string_view::npos) {
    return std::nullopt;
  }
  address.host = std::string(authority);
  if (!address.secure && !IsLoopback(address.host)) return std::nullopt;
  return address;
}

HttpAddress ServiceAddress(const std::optional<std::string>& overrideUrl, std::string_view path) {
  if (overrideUrl) {
    if (std::optional<HttpAddress> address = ParseServiceUrl(*overrideUrl)) return *address;
  }
  return HttpAddress{kMakerHost, 443, std::string(path), true};
}

}  // namespace tessary
