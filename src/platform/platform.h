#pragma once

// Everything the portable program needs from the operating system, grouped by concern.
// The Win32 backend (platform/win32) and the simulated desktop (platform/sim) each
// provide one of these; the engine, the shell and the desktop services receive it and
// never see a Windows type.

#include "platform/clock.h"
#include "platform/display_source.h"
#include "platform/icon_source.h"
#include "platform/input.h"
#include "platform/key_injector.h"
#include "platform/launcher.h"
#include "platform/processes.h"
#include "platform/prompts.h"
#include "platform/system_settings.h"
#include "platform/timers.h"
#include "platform/window_access.h"
#include "platform/window_events.h"
#include "platform/z_order.h"

namespace tessary {

// References, not copies: the backend owns the implementations and outlives every user.
struct Platform {
  DisplaySource& displays;
  WindowAccess& windows;
  ZOrder& zOrder;
  Input& input;
  Clock& clock;
  Timers& timers;
  Processes& processes;
  IconSource& icons;
  Launcher& launcher;
  SystemSettings& systemSettings;
  KeyInjector& keys;
  Prompts& prompts;
  WindowEvents& events;
};

}  // namespace tessary
