#pragma once

// Every saved file is written whole to its name + ".tmp" and then renamed over the real
// name, so a crash or a full disk leaves either the old file or the new one, never a
// torn mix.

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace tessary {

// True only when the final rename succeeded. On failure the real file is untouched;
// the temporary file may remain (it is overwritten by the next attempt).
bool AtomicWriteFile(FileSystem& files, const std::string& path, std::string_view bytes);

// Moves a file that exists but could not be read (corrupt, cut short, too large) out of
// the way to path + ".unreadable" (or ".unreadable-2", "-3", ... when earlier copies are
// there), so that writing a fresh file never destroys what the user had. Logs a line.
// True when the file was moved or is no longer there.
bool KeepUnreadableAside(FileSystem& files, const std::string& path);

}  // namespace tessary
