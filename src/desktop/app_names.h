#pragma once

// The text rules of app identities: packaged ids and the names shown for apps. Pure
// functions, shared by Desktop and by whatever shows app names.

#include <string>
#include <string_view>

namespace tessary {

// App ids of packaged apps are this prefix followed by the application user model id.
inline constexpr std::string_view kPackagedAppPrefix = "aumid:";

bool IsPackagedAppId(std::string_view appId);

// The short name of a packaged app from its user model id (without the prefix): the
// package name before the publisher hash, after its last dot. "Contoso.Notes_abc!App"
// gives "Notes".
std::string PackagedAppName(std::string_view userModelId);

// The file name of a Windows path without its folder and extension: "C:\A\my.tool.exe"
// gives "my.tool".
std::string FileStem(std::string_view path);

}  // namespace tessary
