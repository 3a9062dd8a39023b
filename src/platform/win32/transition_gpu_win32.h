#pragma once

// The switching effects' GPU side on Windows: the device warmed on a background task and
// handed over once, and one overlay run at a time with its textures and meshes.

#include <d3d11.h>
#include <windows.h>
#include <wrl/client.h>

#include <future>
#include <memory>
#include <vector>

#include "platform/transition_gpu.h"
#include "platform/win32/transition_device_win32.h"
#include "platform/win32/transition_overlay_win32.h"

namespace tessary {

class Win32TransitionGpu : public TransitionGpu {
 public:
  explicit Win32TransitionGpu(HINSTANCE instance) : instance_(instance) {}
  ~Win32TransitionGpu() override;
  Win32TransitionGpu(const Win32TransitionGpu&) = delete;
  Win32TransitionGpu& operator=(const Win32TransitionGpu&) = delete;

  void Warm() override;
  bool Device(double& warmMilliseconds) override;
  bool Open(const Rect& bounds) override;
  int AddTexture(const PixelImage& image) override;
  int AddMesh(const TransitionMesh& mesh) override;
  bool DrawFrame(TransitionPass pass, int backdropTexture,
                 const std::vector<TransitionDraw>& draws) override;
  bool Show() override;
  void Close() override;

  // The device made or adopted (null before, or when none could be made), and the
  // overlay of the current run.
  const TransitionDevice* Made() const { return device_.get(); }
  const TransitionOverlay& Overlay() const { return overlay_; }

 private:
  struct Warmed {
    std::unique_ptr<TransitionDevice> device;
    double milliseconds = 0;
  };
  struct Mesh {
    Microsoft::WRL::ComPtr<ID3D11Buffer> vertices;
    Microsoft::WRL::ComPtr<ID3D11Buffer> indices;
    UINT indexCount = 0;
  };

  bool DrawItem(TransitionPass pass, const TransitionDraw& draw);
  bool Frame(TransitionPass pass, int backdropTexture, const std::vector<TransitionDraw>& draws);

  HINSTANCE instance_;
  bool warmStarted_ = false;
  bool deviceFailed_ = false;
  std::future<Warmed> warming_;
  std::unique_ptr<TransitionDevice> device_;
  TransitionOverlay overlay_;
  std::vector<Microsoft::WRL::ComPtr<ID3D11ShaderResourceView>> textures_;
  std::vector<Mesh> meshes_;
};

}  // namespace tessary
