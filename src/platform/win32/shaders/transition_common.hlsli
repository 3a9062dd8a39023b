// What both effect programs share: the per-item constants, the window's image, and the
// small helpers. The HLSL compiler that cross-builds run (Wine's) has no user-defined
// function calls, no ternary operator, no dynamic indexing and few intrinsics (no sin,
// frac, smoothstep or sqrt), so helpers are macros that assign to a variable. It also
// miscompiles long nested expressions that repeat a subexpression: such sums are written
// one step at a time.

cbuffer Uniforms : register(b0) {
  float4 rect;       // left, top, width, height in the overlay's device coordinates
  float2 target;     // the target point relative to the window
  float progress;    // eased, 0 (the window as it is) to 1 (the effect complete)
  float aspect;      // window width / height
  float columns;
  float rows;
  float effect;      // 1 Genie, 2 Tornado, 3 Disintegrate, 4 Melt; 0 for cards
  float seamCount;
  float4 seams;      // as fractions of the width
  float4 card;       // index, count, selected index, unused
};

Texture2D windowTexture : register(t0);
SamplerState linearSampler : register(s0);

// What the pixel programs need of `Uniforms` comes through the vertices, so the constant
// block belongs to the vertex programs alone.
struct Fragment {
  float4 position : SV_Position;
  float2 uv : TEXCOORD0;
  float2 shade : TEXCOORD1;  // opacity, brightness
  float4 item : TEXCOORD2;   // progress, effect, columns, rows
  float4 cracks : TEXCOORD3; // the seams in use; far outside the image otherwise
};

// The cubic ease from 0 at `a` to 1 at `b`.
#define EASE_INTO(out, a, b, x)                  \
  {                                              \
    float e_ = saturate(((x) - (a)) / ((b) - (a))); \
    out = e_ * e_ * (3.0 - 2.0 * e_);            \
  }

// sin(x) within about 0.1 %: a parabola over the wrapped turn, then a correction.
#define SINE_INTO(out, x)                        \
  {                                              \
    float s_ = (x) * 0.15915494;                 \
    s_ = s_ - floor(s_ + 0.5);                   \
    float y_ = s_ * (8.0 - 16.0 * abs(s_));      \
    out = 0.225 * (y_ * abs(y_) - y_) + y_;      \
  }

// A point of the unit square (y down) placed over the item's rectangle.
#define DEVICE_POSITION(q) float4(rect.x + (q).x * rect.z, rect.y - (q).y * rect.w, 0.0, 1.0)
