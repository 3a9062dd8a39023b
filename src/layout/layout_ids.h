#pragma once

// Ids of the user's own layouts: "user-" followed by a GUID in its usual upper-case text
// form. The randomness comes through a replaceable source so that tests are repeatable.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tessary {

struct Guid {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::array<std::uint8_t, 8> data4{};
};

using GuidSource = std::function<Guid()>;

// A random (version 4) GUID from the standard library's random device.
Guid RandomGuid();

// "user-XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" (upper-case hexadecimal).
std::string UserLayoutIdFromGuid(const Guid& guid);

// A fresh user layout id from `source`, or from RandomGuid when `source` is empty.
std::string NewUserLayoutId(const GuidSource& source = {});

inline constexpr std::string_view kUserLayoutIdPrefix = "user-";
inline constexpr std::string_view kImportedLayoutIdPrefix = "user-import-";

// Every id that begins with "user-" belongs to the user's own layouts.
inline bool IsUserLayoutId(std::string_view id) { return id.starts_with(kUserLayoutIdPrefix); }

}  // namespace tessary
