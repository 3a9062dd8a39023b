#pragma once

// The window a switching effect is drawn in, for one run: a click-through topmost popup
// ("TessaryTransition", "Tessary transition") over the animated windows with a swap chain
// of its size. With DirectComposition the swap chain is a composition one bound to the
// window through a target and a visual, so it may be translucent; without it (older
// systems, Wine) the swap chain is made for the window itself and is opaque: a frame
// with a backdrop covers the whole overlay anyway, and one without cuts the window to
// what it drew.

#include <d3d11.h>
#include <dcomp.h>
#include <dxgi1_2.h>
#include <windows.h>
#include <wrl/client.h>

#include "platform/win32/transition_device_win32.h"

namespace tessary {

class TransitionOverlay {
 public:
  TransitionOverlay() = default;
  ~TransitionOverlay() { Close(); }
  TransitionOverlay(const TransitionOverlay&) = delete;
  TransitionOverlay& operator=(const TransitionOverlay&) = delete;

  // The hidden window over `bounds` (desktop pixels) and its swap chain. False, with
  // nothing left behind, when either cannot be made.
  bool Open(TransitionDevice& device, HINSTANCE instance, const RECT& bounds);
  bool IsOpen() const { return target_ != nullptr; }
  ID3D11RenderTargetView* Target() const { return target_.Get(); }
  ID3D11DepthStencilView* Depth() const { return depth_.Get(); }
  int Width() const { return bounds_.right - bounds_.left; }
  int Height() const { return bounds_.bottom - bounds_.top; }
  bool Composited() const { return visual_ != nullptr; }
  HWND Window() const { return window_; }

  // Without composition and over a cleared overlay, cuts the window to what the frame
  // drew, so the desktop shows through everywhere else. Call before Present.
  void ClipToDrawing(ID3D11Device* device, ID3D11DeviceContext* context);
  bool Present();
  bool Show();
  // Waits for the compositor's frame, hides and destroys the window, releases the swap
  // chain. Safe when not open.
  void Close();

 private:
  bool BindComposition(TransitionDevice& device, DXGI_SWAP_CHAIN_DESC1 description);
  bool BindWindow(TransitionDevice& device, DXGI_SWAP_CHAIN_DESC1 description);
  bool MakeDepth(ID3D11Device* device);

  HWND window_ = nullptr;
  RECT bounds_{};
  Microsoft::WRL::ComPtr<IDXGISwapChain1> swapChain_;
  Microsoft::WRL::ComPtr<IDCompositionTarget> compositionTarget_;
  Microsoft::WRL::ComPtr<IDCompositionVisual> visual_;
  Microsoft::WRL::ComPtr<ID3D11Texture2D> buffer_;
  Microsoft::WRL::ComPtr<ID3D11RenderTargetView> target_;
  Microsoft::WRL::ComPtr<ID3D11DepthStencilView> depth_;
};

}  // namespace tessary
