#pragma once

// Where a frame drew something: an overlay whose swap chain is opaque (no
// DirectComposition) cannot let the desktop show through a cleared area, so it is cut
// to the pixels the frame covered instead (SetWindowRgn).

#include <d3d11.h>
#include <windows.h>

namespace tessary {

// The region of `frame`'s pixels (B8G8R8A8, premultiplied) at least half opaque, read back
// through a staging copy; null when it cannot be read.
HRGN DrawnRegion(ID3D11Device* device, ID3D11DeviceContext* context, ID3D11Texture2D* frame);

}  // namespace tessary
