#pragma once

// Plain ids for the system's handles, so portable code never sees a Windows type. The
// Win32 backend converts its handles to and from these numbers; the simulated desktop
// hands out small counters. Zero always means "none". Enum classes compare, order and
// hash out of the box, which is all the engine's maps need.

#include <cstdint>

namespace tessary {

// A window (HWND).
enum class WindowId : std::uint64_t {};
// A display as the system enumerates it (HMONITOR); valid only until the display
// configuration changes, so never stored.
enum class MonitorId : std::uint64_t {};
// An icon (HICON). Icons handed out by the platform are never destroyed by callers.
enum class IconId : std::uint64_t {};
// A process (the DWORD process id).
enum class ProcessId : std::uint32_t {};

inline constexpr WindowId kNoWindow{};
inline constexpr MonitorId kNoMonitor{};
inline constexpr IconId kNoIcon{};
inline constexpr ProcessId kNoProcess{};

constexpr std::uint64_t ToNumber(WindowId id) { return static_cast<std::uint64_t>(id); }
constexpr std::uint64_t ToNumber(MonitorId id) { return static_cast<std::uint64_t>(id); }
constexpr std::uint64_t ToNumber(IconId id) { return static_cast<std::uint64_t>(id); }
constexpr std::uint32_t ToNumber(ProcessId id) { return static_cast<std::uint32_t>(id); }

}  // namespace tessary
