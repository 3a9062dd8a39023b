#include "platform/win32/overlay_region_win32.h"

#include <wrl/client.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace tessary {
namespace {

// The runs of covered pixels in one row, as rectangles one pixel high.
void AddRowRuns(const std::uint32_t* row, int width, int y, std::vector<RECT>& rects) {
  int x = 0;
  while (x < width) {
    while (x < width && (row[x] >> 24) < 128) ++x;
    const int start = x;
    while (x < width && (row[x] >> 24) >= 128) ++x;
    if (x > start) rects.push_back(RECT{start, y, x, y + 1});
  }
}

HRGN RegionOf(const std::vector<RECT>& rects, int width, int height) {
  std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
  header->dwSize = sizeof(RGNDATAHEADER);
  header->iType = RDH_RECTANGLES;
  header->nCount = static_cast<DWORD>(rects.size());
  header->rcBound = RECT{0, 0, width, height};
  if (!rects.empty()) {
    std::memcpy(data.data() + sizeof(RGNDATAHEADER), rects.data(), rects.size() * sizeof(RECT));
  }
  return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                         reinterpret_cast<const RGNDATA*>(data.data()));
}

}  // namespace

HRGN DrawnRegion(ID3D11Device* device, ID3D11DeviceContext* context, ID3D11Texture2D* frame) {
  D3D11_TEXTURE2D_DESC description{};
  frame->GetDesc(&description);
  description.Usage = D3D11_USAGE_STAGING;
  description.BindFlags = 0;
  description.CPUAccessFlags = D3D11_CPU_ACCESS_READ;
  description.MiscFlags = 0;
  Microsoft::WRL::ComPtr<ID3D11Texture2D> staging;
  if (FAILED(device->CreateTexture2D(&description, nullptr, staging.GetAddressOf()))) return nullptr;
  context->CopyResource(staging.Get(), frame);
  D3D11_MAPPED_SUBRESOURCE mapped{};
  if (FAILED(context->Map(staging.Get(), 0, D3D11_MAP_READ, 0, &mapped))) return nullptr;
  const int width = static_cast<int>(description.Width), height = static_cast<int>(description.Height);
  std::vector<RECT> rects;
  for (int y = 0; y < height; ++y) {
    AddRowRuns(reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(mapped.pData) +
                                                      static_cast<std::size_t>(y) * mapped.RowPitch),
               width, y, rects);
  }
  context->Unmap(staging.Get(), 0);
  return RegionOf(rects, width, height);
}

}  // namespace tessary
