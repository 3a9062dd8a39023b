#pragma once

// What the switching effects keep from first use to exit: a Direct3D 11 device (the
// hardware's, else the WARP software rasterizer) with its immediate context, the DXGI
// factory that makes swap chains, a DirectComposition device when the system has a
// working one, and the effect programs with their fixed pipeline state. Made once,
// possibly on a background thread, and then used only on the UI thread.

#include <d3d11.h>
#include <dcomp.h>
#include <dxgi1_2.h>
#include <wrl/client.h>

#include <memory>
#include <string>

namespace tessary {

struct TransitionDevice {
  template <typename T>
  using Com = Microsoft::WRL::ComPtr<T>;

  Com<ID3D11Device> device;
  Com<ID3D11DeviceContext> context;
  Com<IDXGIFactory2> factory;
  // Null: overlays present through a swap chain made for their window instead.
  Com<IDCompositionDevice> composition;
  Com<ID3D11VertexShader> meshVertex;
  Com<ID3D11PixelShader> meshPixel;
  Com<ID3D11InputLayout> meshLayout;
  Com<ID3D11VertexShader> cardVertex;
  Com<ID3D11PixelShader> cardPixel;
  Com<ID3D11Buffer> uniforms;  // the constant block `Uniforms`, one item at a time
  Com<ID3D11SamplerState> sampler;
  Com<ID3D11BlendState> blend;  // premultiplied alpha over what is already drawn
  Com<ID3D11RasterizerState> rasterizer;
  Com<ID3D11DepthStencilState> depth;  // nearer or equal passes: equal keeps drawing order
  bool warp = false;    // the software rasterizer
  std::wstring adapter;  // the adapter's description, for the log

  // Null when no device, or no effect program, can be made.
  static std::unique_ptr<TransitionDevice> Make();
};

// A single two-dimensional texture of one sample without mipmaps, as every texture of the
// effects is: the windows' images and the overlay's depth buffer.
inline D3D11_TEXTURE2D_DESC PlainTextureDescription(int width, int height, DXGI_FORMAT format,
                                                     D3D11_USAGE usage, UINT bindFlags) {
  D3D11_TEXTURE2D_DESC description{};
  description.Width = static_cast<UINT>(width);
  description.Height = static_cast<UINT>(height);
  description.MipLevels = 1;
  description.ArraySize = 1;
  description.Format = format;
  description.SampleDesc.Count = 1;
  description.Usage = usage;
  description.BindFlags = bindFlags;
  return description;
}

}  // namespace tessary
