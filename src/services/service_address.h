#pragma once

// Where the online services live: the maker's web host, and the test overrides
// TESSARY_UPDATE_URL and TESSARY_FEEDBACK_URL, both read by the same rules.

#include <optional>
#include <string>
#include <string_view>

#include "platform/http_client.h"

namespace tessary {

// "https://host[:port][/path]", or "http://" for a loopback host only (127.0.0.1,
// localhost, [::1]): a test's local server, never a plain request over the network. None
// for anything else, or a text longer than 511 characters.
std::optional<HttpAddress> ParseServiceUrl(std::string_view url);

// The override when it is set and parses; else the maker's host on port 443 at `path`.
HttpAddress ServiceAddress(const std::optional<std::string>& overrideUrl, std::string_view path);

}  // namespace tessary
