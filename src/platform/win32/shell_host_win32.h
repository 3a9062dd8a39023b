#pragma once

// Everything the application shell needs from Windows, assembled: the desktop backend
// (Win32Platform), the shell's own services (ShellHost), the surfaces, the files, the
// sign-in entry and the key names. The program makes one on the main thread at start-up
// and keeps it for the whole run; the shell receives Environment().

#include <windows.h>

#include <memory>

#include "platform/shell_host.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/graphics_factories.h"
#include "platform/win32/http_client_win32.h"
#include "platform/win32/hotkeys_win32.h"
#include "platform/win32/instance_lock_win32.h"
#include "platform/win32/key_names_win32.h"
#include "platform/win32/mouse_hook_win32.h"
#include "platform/win32/popup_menu_win32.h"
#include "platform/win32/shell_main_window_win32.h"
#include "platform/win32/shell_services_win32.h"
#include "platform/win32/startup_entry_win32.h"
#include "platform/win32/surface_win32.h"
#include "platform/win32/theme_source_win32.h"
#include "platform/win32/tray_icon_win32.h"
#include "platform/win32/win32_platform.h"

namespace tessary {

// Surfaces need the graphics factories, which start-up makes only after the shell has
// taken the instance lock: the real factory is made on first use, after them.
class DeferredSurfaceFactory : public SurfaceFactory {
 public:
  DeferredSurfaceFactory(HINSTANCE instance, GraphicsFactories& graphics)
      : instance_(instance), graphics_(graphics) {}

  std::unique_ptr<Surface> NewSurface() override;
  TextMeasurer& Text() override;
  std::unique_ptr<Surface> NewWindowSurface() override;
  WindowThumbnails* Thumbnails() override;
  std::unique_ptr<DialogWindow> NewDialogWindow() override;
  // Needing no graphics factory, these exist from the start: the engine keeps them.
  TransitionGpu* Transitions() override { return &transitions_; }
  WindowImages* Images() override { return &images_; }

 private:
  // Null when the graphics factories cannot be made.
  Win32SurfaceFactory* Real();

  // Answers zero sizes: a measure before the factories exist must not crash.
  class NoText : public TextMeasurer {
   public:
    TextSize MeasureText(std::string_view, double, bool, double) override { return {}; }
  };

  HINSTANCE instance_;
  GraphicsFactories& graphics_;
  std::unique_ptr<Win32SurfaceFactory> real_;
  NoText noText_;
  Win32TransitionGpu transitions_{instance_};
  Win32WindowImages images_;
};

class Win32ShellHost {
 public:
  explicit Win32ShellHost(HINSTANCE instance);
  Win32ShellHost(const Win32ShellHost&) = delete;
  Win32ShellHost& operator=(const Win32ShellHost&) = delete;

  Platform& Desktop() { return platform_.platform(); }
  ShellHost Host();
  SurfaceFactory& Surfaces() { return surfaces_; }
  ThemeSource& Theme() { return theme_; }
  FileSystem& Files() { return files_; }
  StartupEntry& Startup() { return startupEntry_; }
  KeyNames& Keys() { return keyNames_; }
  HWND MainWindowHandle() const { return mainWindow_.Window(); }

 private:
  HINSTANCE instance_;
  Win32Platform platform_;
  GraphicsFactories graphics_;
  Win32MainWindow mainWindow_;
  Win32InstanceLock instanceLock_;
  Win32Hotkeys hotkeys_;
  Win32KeyboardLayouts keyboardLayouts_;
  Win32TrayIcon tray_;
  Win32PopupMenus menus_;
  Win32MouseHook mouseHook_;
  Win32ShellServices services_;
  Win32HttpClient http_;
  DeferredSurfaceFactory surfaces_;
  Win32ThemeSource theme_;
  Win32FileSystem files_;
  Win32StartupEntry startupEntry_;
  Win32KeyNames keyNames_;
};

}  // namespace tessary
