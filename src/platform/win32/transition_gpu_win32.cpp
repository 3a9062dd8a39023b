#include "platform/win32/transition_gpu_win32.h"

#include <chrono>
#include <cmath>

namespace tessary {
namespace {

using Microsoft::WRL::ComPtr;

ComPtr<ID3D11Buffer> ImmutableBuffer(ID3D11Device* device, UINT bind, const void* data,
                                     std::size_t bytes) {
  D3D11_BUFFER_DESC description{};
  description.ByteWidth = static_cast<UINT>(bytes);
  description.Usage = D3D11_USAGE_IMMUTABLE;
  description.BindFlags = bind;
  D3D11_SUBRESOURCE_DATA initial{data, 0, 0};
  ComPtr<ID3D11Buffer> buffer;
  if (FAILED(device->CreateBuffer(&description, &initial, buffer.GetAddressOf()))) return nullptr;
  return buffer;
}

// The backdrop is the card program's flat quad over the whole overlay.
TransitionUniforms BackdropUniforms(int width, int height) {
  TransitionUniforms uniforms;
  uniforms.rect[0] = -1;
  uniforms.rect[1] = 1;
  uniforms.rect[2] = 2;
  uniforms.rect[3] = 2;
  uniforms.aspect = static_cast<float>(width) / static_cast<float>(height);
  uniforms.card[1] = 1;
  return uniforms;
}

}  // namespace

Win32TransitionGpu::~Win32TransitionGpu() {
  Close();
  // A warm-up still running is waited for: it must not outlive what it reports to.
  if (warming_.valid()) warming_.wait();
}

void Win32TransitionGpu::Warm() {
  if (warmStarted_ || device_ || deviceFailed_) return;
  warmStarted_ = true;
  warming_ = std::async(std::launch::async, [] {
    const auto start = std::chrono::steady_clock::now();
    Warmed warmed{TransitionDevice::Make()};
    warmed.milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    return warmed;
  });
}

bool Win32TransitionGpu::Device(double& warmMilliseconds) {
  if (device_) return true;
  if (deviceFailed_) return false;
  if (warming_.valid()) {
    Warmed warmed = warming_.get();
    device_ = std::move(warmed.device);
    if (device_) warmMilliseconds = warmed.milliseconds;
  } else {
    device_ = TransitionDevice::Make();
  }
  // A machine that cannot make one now will not later in this session.
  deviceFailed_ = !device_;
  return device_ != nullptr;
}

bool Win32TransitionGpu::Open(const Rect& bounds) {
  Close();
  if (!device_) return false;
  const LONG left = std::lround(bounds.x), top = std::lround(bounds.y);
  const RECT pixels{left, top, left + std::lround(bounds.width),
                    top + std::lround(bounds.height)};
  return overlay_.Open(*device_, instance_, pixels);
}

int Win32TransitionGpu::AddTexture(const PixelImage& image) {
  if (!overlay_.IsOpen() || image.Empty() ||
      image.pixels.size() != static_cast<std::size_t>(image.width) *
                                 static_cast<std::size_t>(image.height)) {
    return -1;
  }
  const D3D11_TEXTURE2D_DESC description =
      PlainTextureDescription(image.width, image.height, DXGI_FORMAT_B8G8R8A8_UNORM,
                              D3D11_USAGE_IMMUTABLE, D3D11_BIND_SHADER_RESOURCE);
  const D3D11_SUBRESOURCE_DATA initial{image.pixels.data(),
                                       static_cast<UINT>(image.width) * 4, 0};
  ComPtr<ID3D11Texture2D> texture;
  ComPtr<ID3D11ShaderResourceView> view;
  if (FAILED(device_->device->CreateTexture2D(&description, &initial, texture.GetAddressOf())) ||
      FAILED(device_->device->CreateShaderResourceView(texture.Get(), nullptr,
                                                       view.GetAddressOf()))) {
    return -1;
  }
  textures_.push_back(view);
  return static_cast<int>(textures_.size()) - 1;
}

int Win32TransitionGpu::AddMesh(const TransitionMesh& mesh) {
  if (!overlay_.IsOpen() || mesh.vertices.empty() || mesh.indices.empty()) return -1;
  static_assert(sizeof(TransitionMesh::Vertex) == 16, "POSITION and TEXCOORD, two floats each");
  Mesh made;
  made.vertices = ImmutableBuffer(device_->device.Get(), D3D11_BIND_VERTEX_BUFFER,
                                  mesh.vertices.data(),
                                  mesh.vertices.size() * sizeof(TransitionMesh::Vertex));
  made.indices = ImmutableBuffer(device_->device.Get(), D3D11_BIND_INDEX_BUFFER,
                                 mesh.indices.data(), mesh.indices.size() * sizeof(std::uint32_t));
  made.indexCount = static_cast<UINT>(mesh.indices.size());
  if (!made.vertices || !made.indices) return -1;
  meshes_.push_back(made);
  return static_cast<int>(meshes_.size()) - 1;
}

bool Win32TransitionGpu::DrawFrame(TransitionPass pass, int backdropTexture,
                                   const std::vector<TransitionDraw>& draws) {
  if (Frame(pass, backdropTexture, draws)) return true;
  // A frame that cannot be drawn ends the run: the overlay must not stay up.
  Close();
  // A device the system took away (a driver update, a reset) is made anew next time.
  if (device_ && device_->device->GetDeviceRemovedReason() != S_OK) device_.reset();
  return false;
}

bool Win32TransitionGpu::Frame(TransitionPass pass, int backdropTexture,
                               const std::vector<TransitionDraw>& draws) {
  if (!overlay_.IsOpen()) return false;
  ID3D11DeviceContext* context = device_->context.Get();
  ID3D11RenderTargetView* target = overlay_.Target();
  context->OMSetRenderTargets(1, &target, overlay_.Depth());
  context->OMSetDepthStencilState(device_->depth.Get(), 0);
  const D3D11_VIEWPORT viewport{0, 0, static_cast<float>(overlay_.Width()),
                                static_cast<float>(overlay_.Height()), 0, 1};
  context->RSSetViewports(1, &viewport);
  context->RSSetState(device_->rasterizer.Get());
  context->OMSetBlendState(device_->blend.Get(), nullptr, 0xFFFFFFFF);
  context->IASetPrimitiveTopology(D3D11_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
  ID3D11SamplerState* sampler = device_->sampler.Get();
  context->PSSetSamplers(0, 1, &sampler);
  ID3D11Buffer* uniforms = device_->uniforms.Get();
  context->VSSetConstantBuffers(0, 1, &uniforms);
  const float clear[4] = {0, 0, 0, 0};
  context->ClearRenderTargetView(target, clear);
  context->ClearDepthStencilView(overlay_.Depth(), D3D11_CLEAR_DEPTH, 1.0f, 0);
  if (backdropTexture >= 0) {
    TransitionDraw backdrop{backdropTexture, -1,
                            BackdropUniforms(overlay_.Width(), overlay_.Height())};
    if (!DrawItem(TransitionPass::kCards, backdrop)) return false;
  }
  for (const TransitionDraw& draw : draws) {
    if (!DrawItem(pass, draw)) return false;
  }
  if (backdropTexture < 0) overlay_.ClipToDrawing(device_->device.Get(), context);
  return overlay_.Present();
}

bool Win32TransitionGpu::DrawItem(TransitionPass pass, const TransitionDraw& draw) {
  const bool mesh = pass == TransitionPass::kMesh;
  if (draw.texture < 0 || draw.texture >= static_cast<int>(textures_.size())) return false;
  if (mesh && (draw.mesh < 0 || draw.mesh >= static_cast<int>(meshes_.size()))) return false;
  ID3D11DeviceContext* context = device_->context.Get();
  context->UpdateSubresource(device_->uniforms.Get(), 0, nullptr, &draw.uniforms, 0, 0);
  ID3D11ShaderResourceView* texture = textures_[static_cast<std::size_t>(draw.texture)].Get();
  context->PSSetShaderResources(0, 1, &texture);
  if (!mesh) {
    context->IASetInputLayout(nullptr);
    context->VSSetShader(device_->cardVertex.Get(), nullptr, 0);
    context->PSSetShader(device_->cardPixel.Get(), nullptr, 0);
    context->Draw(6, 0);
    return true;
  }
  const Mesh& made = meshes_[static_cast<std::size_t>(draw.mesh)];
  const UINT stride = sizeof(TransitionMesh::Vertex), offset = 0;
  ID3D11Buffer* vertices = made.vertices.Get();
  context->IASetInputLayout(device_->meshLayout.Get());
  context->IASetVertexBuffers(0, 1, &vertices, &stride, &offset);
  context->IASetIndexBuffer(made.indices.Get(), DXGI_FORMAT_R32_UINT, 0);
  context->VSSetShader(device_->meshVertex.Get(), nullptr, 0);
  context->PSSetShader(device_->meshPixel.Get(), nullptr, 0);
  context->DrawIndexed(made.indexCount, 0, 0);
  return true;
}

bool Win32TransitionGpu::Show() {
  if (overlay_.Show()) return true;
  Close();
  return false;
}

void Win32TransitionGpu::Close() {
  if (device_) {
    // Nothing of the run may stay bound to the pipeline once its objects go.
    device_->context->ClearState();
    device_->context->Flush();
  }
  overlay_.Close();
  textures_.clear();
  meshes_.clear();
}

}  // namespace tessary
