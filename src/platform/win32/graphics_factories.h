#pragma once

// The process's one Direct2D factory (single-threaded: every surface paints on the UI
// thread) and one DirectWrite factory (shared). Start-up makes them before any surface and
// gives up when either cannot be made; every surface and canvas borrows them.

#include <d2d1.h>
#include <dwrite.h>
#include <wrl/client.h>

namespace tessary {

class GraphicsFactories {
 public:
  GraphicsFactories() = default;
  GraphicsFactories(const GraphicsFactories&) = delete;
  GraphicsFactories& operator=(const GraphicsFactories&) = delete;

  // False when either factory cannot be made; nothing is kept then.
  bool Create();
  bool IsCreated() const { return d2d_ && dwrite_; }

  ID2D1Factory* Direct2D() const { return d2d_.Get(); }
  IDWriteFactory* DirectWrite() const { return dwrite_.Get(); }

 private:
  Microsoft::WRL::ComPtr<ID2D1Factory> d2d_;
  Microsoft::WRL::ComPtr<IDWriteFactory> dwrite_;
};

}  // namespace tessary
