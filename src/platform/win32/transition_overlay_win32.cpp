#include "platform/win32/transition_overlay_win32.h"

#include <dwmapi.h>

#include "platform/win32/overlay_region_win32.h"

namespace tessary {
namespace {

constexpr wchar_t kClassName[] = L"TessaryTransition";

LRESULT CALLBACK OverlayProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The overlay stands in for windows for half a second: a click goes through it.
  if (message == WM_NCHITTEST) return HTTRANSPARENT;
  if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterOverlayClass(HINSTANCE instance) {
  WNDCLASSEXW existing{sizeof(existing)};
  if (GetClassInfoExW(instance, kClassName, &existing)) return true;
  WNDCLASSEXW overlay{sizeof(overlay)};
  overlay.lpfnWndProc = &OverlayProcedure;
  overlay.hInstance = instance;
  overlay.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  overlay.lpszClassName = kClassName;
  return RegisterClassExW(&overlay) != 0;
}

}  // namespace

bool TransitionOverlay::Open(TransitionDevice& device, HINSTANCE instance, const RECT& bounds) {
  Close();
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  if (width <= 0 || height <= 0 || !RegisterOverlayClass(instance)) return false;
  window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE |
                                WS_EX_NOREDIRECTIONBITMAP | WS_EX_TRANSPARENT,
                            kClassName, L"Tessary transition", WS_POPUP, bounds.left,
                            bounds.top, width, height, nullptr, nullptr, instance, nullptr);
  if (!window_) return false;
  bounds_ = bounds;
  DXGI_SWAP_CHAIN_DESC1 description{};
  description.Width = static_cast<UINT>(width);
  description.Height = static_cast<UINT>(height);
  description.Format = DXGI_FORMAT_B8G8R8A8_UNORM;
  description.SampleDesc.Count = 1;
  description.BufferUsage = DXGI_USAGE_RENDER_TARGET_OUTPUT;
  description.BufferCount = 2;
  description.Scaling = DXGI_SCALING_STRETCH;
  description.SwapEffect = DXGI_SWAP_EFFECT_FLIP_SEQUENTIAL;
  const bool bound = (device.composition && BindComposition(device, description)) ||
                     BindWindow(device, description);
  if (!bound || FAILED(swapChain_->GetBuffer(0, IID_PPV_ARGS(buffer_.GetAddressOf()))) ||
      FAILED(device.device->CreateRenderTargetView(buffer_.Get(), nullptr,
                                                   target_.GetAddressOf())) ||
      !MakeDepth(device.device.Get())) {
    Close();
    return false;
  }
  return true;
}

bool TransitionOverlay::MakeDepth(ID3D11Device* device) {
  const D3D11_TEXTURE2D_DESC description =
      PlainTextureDescription(Width(), Height(), DXGI_FORMAT_D24_UNORM_S8_UINT,
                              D3D11_USAGE_DEFAULT, D3D11_BIND_DEPTH_STENCIL);
  Microsoft::WRL::ComPtr<ID3D11Texture2D> texture;
  return SUCCEEDED(device->CreateTexture2D(&description, nullptr, texture.GetAddressOf())) &&
         SUCCEEDED(device->CreateDepthStencilView(texture.Get(), nullptr, depth_.GetAddressOf()));
}

bool TransitionOverlay::BindComposition(TransitionDevice& device,
                                        DXGI_SWAP_CHAIN_DESC1 description) {
  description.AlphaMode = DXGI_ALPHA_MODE_PREMULTIPLIED;
  IDCompositionDevice* composition = device.composition.Get();
  if (SUCCEEDED(device.factory->CreateSwapChainForComposition(
          device.device.Get(), &description, nullptr, swapChain_.GetAddressOf())) &&
      SUCCEEDED(composition->CreateTargetForHwnd(window_, TRUE,
                                                 compositionTarget_.GetAddressOf())) &&
      SUCCEEDED(composition->CreateVisual(visual_.GetAddressOf())) &&
      SUCCEEDED(visual_->SetContent(swapChain_.Get())) &&
      SUCCEEDED(compositionTarget_->SetRoot(visual_.Get())) &&
      SUCCEEDED(composition->Commit())) {
    return true;
  }
  visual_.Reset();
  compositionTarget_.Reset();
  swapChain_.Reset();
  return false;
}

bool TransitionOverlay::BindWindow(TransitionDevice& device, DXGI_SWAP_CHAIN_DESC1 description) {
  description.AlphaMode = DXGI_ALPHA_MODE_IGNORE;
  return SUCCEEDED(device.factory->CreateSwapChainForHwnd(
      device.device.Get(), window_, &description, nullptr, nullptr, swapChain_.GetAddressOf()));
}

void TransitionOverlay::ClipToDrawing(ID3D11Device* device, ID3D11DeviceContext* context) {
  if (Composited() || !buffer_) return;
  // A region that cannot be read leaves the window whole: a black frame beats none.
  if (HRGN region = DrawnRegion(device, context, buffer_.Get())) {
    if (!SetWindowRgn(window_, region, TRUE)) DeleteObject(region);
  }
}

bool TransitionOverlay::Present() {
  // The player already waits for the compositor's frame before drawing one, so waiting
  // for a vertical blank here too would halve the frame rate. Occlusion (a success code)
  // is no reason to give up the run.
  return swapChain_ && SUCCEEDED(swapChain_->Present(0, 0));
}

bool TransitionOverlay::Show() {
  return window_ && SetWindowPos(window_, HWND_TOPMOST, bounds_.left, bounds_.top, Width(),
                                 Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW) != FALSE;
}

void TransitionOverlay::Close() {
  // The windows under the overlay changed while it was up: let the compositor show them
  // before the overlay goes, so nothing old flashes.
  if (window_ && IsWindowVisible(window_)) {
    DwmFlush();
    ShowWindow(window_, SW_HIDE);
  }
  // The swap chain goes before the window it presents to.
  target_.Reset();
  depth_.Reset();
  buffer_.Reset();
  visual_.Reset();
  compositionTarget_.Reset();
  swapChain_.Reset();
  if (window_) DestroyWindow(window_);
  window_ = nullptr;
  bounds_ = {};
}

}  // namespace tessary
