#pragma once

// The graphics side of a stack's switching effects: window images, and an overlay window
// over part of the desktop that draws those images through the GPU. The portable player
// (engine/transitions) decides what is drawn in each frame and when; a backend only
// carries it out, so that the simulated desktop can record every frame instead.
//
// Windows: PrintWindow (PW_RENDERFULLCONTENT) into a 32-bit top-down DIB section and
// BitBlt from the screen for images; Direct3D 11, DXGI and DirectComposition for the
// overlay (a WS_POPUP of class "TessaryTransition", title "Tessary transition", with
// WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_NOREDIRECTIONBITMAP and
// WS_EX_TRANSPARENT so that it never takes a click). The effect programs are shader
// objects compiled at build time and carried in the executable.

#include <cstdint>
#include <vector>

#include "base/geometry.h"
#include "platform/ids.h"

namespace tessary {

// 32-bit pixels, B8G8R8A8 in memory (0xAARRGGBB as a std::uint32_t), rows from the top.
struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // width * height

  bool Empty() const { return width <= 0 || height <= 0 || pixels.empty(); }
};

// Where the images of the animated windows come from.
class WindowImages {
 public:
  virtual ~WindowImages() = default;
  // The window as it draws itself (PrintWindow with full content); empty on failure.
  // A window may draw itself entirely black this way; the caller then asks the screen.
  virtual PixelImage DrawnImage(WindowId window) = 0;
  // The screen's pixels in `area` (desktop pixels); empty on failure.
  virtual PixelImage ScreenImage(const Rect& area) = 0;
  // The desktop's wallpaper alone in `area` (what lies behind every window); empty on
  // failure.
  virtual PixelImage DesktopImage(const Rect& area) = 0;
  // Changes whenever the wallpaper changes, so that a cached backdrop can be dropped.
  virtual std::uint64_t WallpaperStamp() = 0;
};

// A grid of `columns` x `rows` cells over the unit square: (columns + 1) * (rows + 1)
// vertices, position and texture coordinate both in [0, 1] (y down), and two triangles
// per cell. The vertex program places it over the item's rectangle.
struct TransitionMesh {
  struct Vertex {
    float x = 0, y = 0;  // POSITION
    float u = 0, v = 0;  // TEXCOORD
  };
  int columns = 0;
  int rows = 0;
  std::vector<Vertex> vertices;
  std::vector<std::uint32_t> indices;
};

// The constant block `Uniforms` of the effect programs, for one item in one frame, in
// the layout the shaders declare (16-byte rows).
struct TransitionUniforms {
  float rect[4] = {};    // left, top, width, height in the overlay's device coordinates
  float target[2] = {};  // the target point relative to the window, each at most 1
  float progress = 0;    // eased, 0 to 1
  float aspect = 1;      // window width / height
  float columns = 0;     // mesh columns
  float rows = 0;        // mesh rows
  float effect = 0;      // the mesh pass's effect number (1 Genie, 2 Tornado, 3
                         // Disintegrate, 4 Melt); 0 for the card pass
  float seamCount = 0;
  float seams[4] = {};  // Disintegrate's seams, as fractions of the width
  float card[4] = {};   // the card pass: index, count, selected index, unused
};

// One item drawn in a frame: a texture and mesh made for this run, with its constants.
// `mesh` is -1 for the card pass, whose quads the vertex program makes from SV_VertexID.
struct TransitionDraw {
  int texture = -1;
  int mesh = -1;
  TransitionUniforms uniforms;
};

enum class TransitionPass : std::uint8_t { kMesh, kCards };

class TransitionGpu {
 public:
  virtual ~TransitionGpu() = default;

  // Starts making the device and the effect programs off the UI thread, once; a later
  // call does nothing. Answers at once.
  virtual void Warm() = 0;
  // The device, adopting a warm one or making it now on this thread; false when there
  // is none. When it was warmed, `warmMilliseconds` is how long the warm-up took (else
  // it is left alone).
  virtual bool Device(double& warmMilliseconds) = 0;

  // One run at a time: Open, textures and meshes, frames, Show, more frames, Close.
  // The overlay covers `bounds` (desktop pixels) and is not shown yet.
  virtual bool Open(const Rect& bounds) = 0;
  // Handles valid until Close; -1 on failure.
  virtual int AddTexture(const PixelImage& image) = 0;
  virtual int AddMesh(const TransitionMesh& mesh) = 0;
  // Draws the backdrop texture (or clears, when -1) and then every item, and presents.
  virtual bool DrawFrame(TransitionPass pass, int backdropTexture,
                         const std::vector<TransitionDraw>& draws) = 0;
  // Shows the overlay above every window, without activating it.
  virtual bool Show() = 0;
  // Waits for the compositor's frame, hides and destroys the overlay, and releases the
  // run's textures and meshes. Safe after any failure, and twice.
  virtual void Close() = 0;
};

}  // namespace tessary
