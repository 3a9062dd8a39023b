#include "platform/win32/graphics_factories.h"

#include <utility>

namespace tessary {

bool GraphicsFactories::Create() {
  if (IsCreated()) return true;
  Microsoft::WRL::ComPtr<ID2D1Factory> d2d;
  if (FAILED(D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, __uuidof(ID2D1Factory), nullptr,
                               reinterpret_cast<void**>(d2d.GetAddressOf())))) {
    return false;
  }
  Microsoft::WRL::ComPtr<IDWriteFactory> dwrite;
  if (FAILED(DWriteCreateFactory(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                                 reinterpret_cast<IUnknown**>(dwrite.GetAddressOf())))) {
    return false;
  }
  d2d_ = std::move(d2d);
  dwrite_ = std::move(dwrite);
  return true;
}

}  // namespace tessary
