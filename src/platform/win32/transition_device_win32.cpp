#include "platform/win32/transition_device_win32.h"

#include <windows.h>

#include <iterator>

#include "platform/transition_gpu.h"
#include "platform/win32/shaders/transition_programs.h"

namespace tessary {
namespace {

using Microsoft::WRL::ComPtr;

bool MakeDevice(D3D_DRIVER_TYPE type, TransitionDevice& out) {
  const D3D_FEATURE_LEVEL levels[] = {D3D_FEATURE_LEVEL_11_0, D3D_FEATURE_LEVEL_10_1,
                                      D3D_FEATURE_LEVEL_10_0};
  return SUCCEEDED(D3D11CreateDevice(nullptr, type, nullptr, D3D11_CREATE_DEVICE_BGRA_SUPPORT,
                                     levels, static_cast<UINT>(std::size(levels)),
                                     D3D11_SDK_VERSION, out.device.GetAddressOf(), nullptr,
                                     out.context.GetAddressOf()));
}

// The DXGI factory that made the device's adapter, so swap chains belong to it.
bool FindFactory(TransitionDevice& out) {
  ComPtr<IDXGIDevice> dxgi;
  ComPtr<IDXGIAdapter> adapter;
  if (FAILED(out.device.As(&dxgi)) || FAILED(dxgi->GetAdapter(&adapter))) return false;
  DXGI_ADAPTER_DESC description{};
  if (SUCCEEDED(adapter->GetDesc(&description))) out.adapter = description.Description;
  return SUCCEEDED(adapter->GetParent(IID_PPV_ARGS(out.factory.GetAddressOf())));
}

// Loaded by name so that a system without DirectComposition still starts; a device that
// cannot be made leaves the overlays on window swap chains.
void FindComposition(TransitionDevice& out) {
  using Create = HRESULT(WINAPI*)(IDXGIDevice*, REFIID, void**);
  HMODULE library = LoadLibraryW(L"dcomp.dll");
  if (!library) return;
  auto create = reinterpret_cast<Create>(
      reinterpret_cast<void*>(GetProcAddress(library, "DCompositionCreateDevice")));
  ComPtr<IDXGIDevice> dxgi;
  if (!create || FAILED(out.device.As(&dxgi))) return;
  ComPtr<IDCompositionDevice> composition;
  if (SUCCEEDED(create(dxgi.Get(), __uuidof(IDCompositionDevice),
                       reinterpret_cast<void**>(composition.GetAddressOf())))) {
    out.composition = composition;
  }
}

bool MakePrograms(TransitionDevice& out) {
  ID3D11Device* device = out.device.Get();
  const D3D11_INPUT_ELEMENT_DESC vertex[] = {
      {"POSITION", 0, DXGI_FORMAT_R32G32_FLOAT, 0, 0, D3D11_INPUT_PER_VERTEX_DATA, 0},
      {"TEXCOORD", 0, DXGI_FORMAT_R32G32_FLOAT, 0, 8, D3D11_INPUT_PER_VERTEX_DATA, 0},
  };
  using namespace shaders;
  return SUCCEEDED(device->CreateVertexShader(kMeshVertex, kMeshVertexSize, nullptr,
                                              out.meshVertex.GetAddressOf())) &&
         SUCCEEDED(device->CreateInputLayout(vertex, static_cast<UINT>(std::size(vertex)),
                                             kMeshVertex, kMeshVertexSize,
                                             out.meshLayout.GetAddressOf())) &&
         SUCCEEDED(device->CreatePixelShader(kMeshPixel, kMeshPixelSize, nullptr,
                                             out.meshPixel.GetAddressOf())) &&
         SUCCEEDED(device->CreateVertexShader(kCardVertex, kCardVertexSize, nullptr,
                                              out.cardVertex.GetAddressOf())) &&
         SUCCEEDED(device->CreatePixelShader(kCardPixel, kCardPixelSize, nullptr,
                                             out.cardPixel.GetAddressOf()));
}

bool MakeStates(TransitionDevice& out) {
  ID3D11Device* device = out.device.Get();
  static_assert(sizeof(TransitionUniforms) % 16 == 0, "constant blocks are 16-byte rows");
  D3D11_BUFFER_DESC uniforms{};
  uniforms.ByteWidth = sizeof(TransitionUniforms);
  uniforms.Usage = D3D11_USAGE_DEFAULT;
  uniforms.BindFlags = D3D11_BIND_CONSTANT_BUFFER;

  D3D11_SAMPLER_DESC sampler{};
  sampler.Filter = D3D11_FILTER_MIN_MAG_MIP_LINEAR;
  sampler.AddressU = sampler.AddressV = sampler.AddressW = D3D11_TEXTURE_ADDRESS_CLAMP;
  sampler.ComparisonFunc = D3D11_COMPARISON_NEVER;
  sampler.MaxLOD = D3D11_FLOAT32_MAX;

  D3D11_BLEND_DESC blend{};
  D3D11_RENDER_TARGET_BLEND_DESC& over = blend.RenderTarget[0];
  over.BlendEnable = TRUE;
  over.SrcBlend = over.SrcBlendAlpha = D3D11_BLEND_ONE;
  over.DestBlend = over.DestBlendAlpha = D3D11_BLEND_INV_SRC_ALPHA;
  over.BlendOp = over.BlendOpAlpha = D3D11_BLEND_OP_ADD;
  over.RenderTargetWriteMask = D3D11_COLOR_WRITE_ENABLE_ALL;

  D3D11_RASTERIZER_DESC rasterizer{};
  rasterizer.FillMode = D3D11_FILL_SOLID;
  rasterizer.CullMode = D3D11_CULL_NONE;  // twisted and turned cards show their backs
  rasterizer.DepthClipEnable = TRUE;

  D3D11_DEPTH_STENCIL_DESC depth{};
  depth.DepthEnable = TRUE;
  depth.DepthWriteMask = D3D11_DEPTH_WRITE_MASK_ALL;
  depth.DepthFunc = D3D11_COMPARISON_LESS_EQUAL;

  return SUCCEEDED(device->CreateBuffer(&uniforms, nullptr, out.uniforms.GetAddressOf())) &&
         SUCCEEDED(device->CreateDepthStencilState(&depth, out.depth.GetAddressOf())) &&
         SUCCEEDED(device->CreateSamplerState(&sampler, out.sampler.GetAddressOf())) &&
         SUCCEEDED(device->CreateBlendState(&blend, out.blend.GetAddressOf())) &&
         SUCCEEDED(device->CreateRasterizerState(&rasterizer, out.rasterizer.GetAddressOf()));
}

}  // namespace

std::unique_ptr<TransitionDevice> TransitionDevice::Make() {
  auto out = std::make_unique<TransitionDevice>();
  if (!MakeDevice(D3D_DRIVER_TYPE_HARDWARE, *out)) {
    if (!MakeDevice(D3D_DRIVER_TYPE_WARP, *out)) return nullptr;
    out->warp = true;
  }
  if (!FindFactory(*out) || !MakePrograms(*out) || !MakeStates(*out)) return nullptr;
  FindComposition(*out);
  return out;
}

}  // namespace tessary
