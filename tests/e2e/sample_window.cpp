// Sample windows for running and testing Tessary under Wine: ordinary resizable
// top-level windows of another process, so the program manages them like any app's.
//
//   tessary_sample_window.exe [--rect X Y W H]... [--rect-file PATH] [--title TEXT]
//                             [--hang-on-move SECONDS]
//
// One window per --rect (one at 200,150 sized 640x420 without any), titled TEXT and its
// number. With --rect-file, every window's outer rectangle is written to PATH as lines
// "number x y width height" whenever one moves or changes size (written whole to
// PATH.tmp, then renamed, so a reader never sees half a file).
//
// With --hang-on-move, the first time another program moves or sizes a window once all
// are shown, the app stops answering for SECONDS: its window procedure sleeps, as in an
// app that is stuck in long work on its only thread.
//
// Windows raises EVENT_SYSTEM_MOVESIZESTART/END around a title-bar drag; Wine 8 does not,
// so these windows raise them themselves from WM_ENTERSIZEMOVE/WM_EXITSIZEMOVE, exactly
// as the system would. The process ends when its last window is closed.

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kClass[] = L"TessarySampleWindow";

struct Sample {
  HWND window = nullptr;
  int number = 0;
  COLORREF colour = 0;
};

std::vector<Sample> g_samples;
std::wstring g_rectFile;
int g_open = 0;
DWORD g_hangMilliseconds = 0;  // 0: never
bool g_hangArmed = false;
bool g_inSizeMove = false;

// A move or resize requested from outside (not the user's own drag) stalls the app once.
void HangOnMove(HWND window, const WINDOWPOS& pos) {
  if (!g_hangArmed || g_inSizeMove) return;
  RECT r{};
  GetWindowRect(window, &r);
  const bool moves = !(pos.flags & SWP_NOMOVE) && (pos.x != r.left || pos.y != r.top);
  const bool sizes =
      !(pos.flags & SWP_NOSIZE) && (pos.cx != r.right - r.left || pos.cy != r.bottom - r.top);
  if (!moves && !sizes) return;
  g_hangArmed = false;
  Sleep(g_hangMilliseconds);
}

const COLORREF kColours[] = {RGB(0xE8, 0xF1, 0xFB), RGB(0xFD, 0xF0, 0xE1), RGB(0xE6, 0xF6, 0xEA),
                             RGB(0xF6, 0xE7, 0xF7)};

void WriteRects() {
  if (g_rectFile.empty()) return;
  std::string text;
  for (const Sample& sample : g_samples) {
    RECT r{};
    if (sample.window == nullptr || !GetWindowRect(sample.window, &r)) continue;
    char line[96];
    std::snprintf(line, sizeof line, "%d %ld %ld %ld %ld\n", sample.number, r.left, r.top,
                  r.right - r.left, r.bottom - r.top);
    text += line;
  }
  const std::wstring temporary = g_rectFile + L".tmp";
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  if (ok && written == text.size()) {
    MoveFileExW(temporary.c_str(), g_rectFile.c_str(), MOVEFILE_REPLACE_EXISTING);
  }
}

Sample* Find(HWND window) {
  for (Sample& sample : g_samples) {
    if (sample.window == window) return &sample;
  }
  return nullptr;
}

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  const Sample* sample = Find(window);
  HBRUSH brush = CreateSolidBrush(sample != nullptr ? sample->colour : RGB(255, 255, 255));
  FillRect(dc, &client, brush);
  DeleteObject(brush);
  wchar_t text[160];
  RECT r{};
  GetWindowRect(window, &r);
  std::swprintf(text, 160, L"Sample window %d\n%ld, %ld   %ld \u00d7 %ld",
                sample != nullptr ? sample->number : 0, r.left, r.top, r.right - r.left,
                r.bottom - r.top);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0x20, 0x20, 0x20));
  DrawTextW(dc, text, -1, &client, DT_CENTER | DT_VCENTER | DT_NOPREFIX | DT_WORDBREAK);
  EndPaint(window, &ps);
}

// Windows raises the move/size events around its own move loop; Wine 8 does not, so
// there this window raises them itself, exactly where Windows would. On Windows it must
// not, or the program would see every drag start twice.
bool UnderWine() {
  static const bool wine = [] {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
  }();
  return wine;
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_WINDOWPOSCHANGING:
      HangOnMove(window, *reinterpret_cast<const WINDOWPOS*>(lParam));
      break;
    case WM_ENTERSIZEMOVE:
      g_inSizeMove = true;
      if (UnderWine())
        NotifyWinEvent(EVENT_SYSTEM_MOVESIZESTART, window, OBJID_WINDOW, CHILDID_SELF);
      return 0;
    case WM_EXITSIZEMOVE:
      g_inSizeMove = false;
      if (UnderWine()) NotifyWinEvent(EVENT_SYSTEM_MOVESIZEEND, window, OBJID_WINDOW, CHILDID_SELF);
      WriteRects();
      return 0;
    case WM_WINDOWPOSCHANGED:
      WriteRects();
      InvalidateRect(window, nullptr, FALSE);
      break;  // DefWindowProc turns it into WM_MOVE and WM_SIZE
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_DESTROY:
      if (Sample* sample = Find(window)) sample->window = nullptr;
      WriteRects();
      if (--g_open == 0) PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

// WinMain rather than wWinMain: mingw would need -municode for the wide entry point; the
// wide command line comes from GetCommandLineW either way.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // Desktop pixels at every scale, like Tessary itself.
  SetProcessDPIAware();
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::wstring title = L"Tessary sample";
  std::vector<RECT> rects;
  for (int i = 1; argv != nullptr && i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"--rect" && i + 4 < argc) {
      const long x = std::wcstol(argv[i + 1], nullptr, 10);
      const long y = std::wcstol(argv[i + 2], nullptr, 10);
      const long w = std::wcstol(argv[i + 3], nullptr, 10);
      const long h = std::wcstol(argv[i + 4], nullptr, 10);
      rects.push_back(RECT{x, y, x + w, y + h});
      i += 4;
    } else if (arg == L"--rect-file" && i + 1 < argc) {
      g_rectFile = argv[++i];
    } else if (arg == L"--title" && i + 1 < argc) {
      title = argv[++i];
    } else if (arg == L"--hang-on-move" && i + 1 < argc) {
      g_hangMilliseconds = static_cast<DWORD>(std::wcstoul(argv[++i], nullptr, 10) * 1000);
    } else {
      std::fwprintf(stderr, L"unknown argument: %ls\n", arg.c_str());
      return 2;
    }
  }
  if (argv != nullptr) LocalFree(argv);
  if (rects.empty()) rects.push_back(RECT{200, 150, 840, 570});

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  wc.lpszClassName = kClass;
  if (!RegisterClassExW(&wc)) return 1;

  g_samples.resize(rects.size());
  for (std::size_t i = 0; i < rects.size(); ++i) {
    Sample& sample = g_samples[i];
    sample.number = static_cast<int>(i) + 1;
    sample.colour = kColours[i % (sizeof kColours / sizeof kColours[0])];
    const std::wstring name =
        rects.size() == 1 ? title : title + L" " + std::to_wstring(sample.number);
    const RECT& r = rects[i];
    sample.window =
        CreateWindowExW(0, kClass, name.c_str(), WS_OVERLAPPEDWINDOW, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    if (sample.window == nullptr) return 1;
    ++g_open;
  }
  // The first window ends up in front and active, so keyboard shortcuts act on it.
  for (auto it = g_samples.rbegin(); it != g_samples.rend(); ++it) {
    ShowWindow(it->window, SW_SHOWNORMAL);
    UpdateWindow(it->window);
  }
  SetForegroundWindow(g_samples.front().window);
  WriteRects();
  g_hangArmed = g_hangMilliseconds > 0;

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
