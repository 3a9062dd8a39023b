// The mesh pass: the window's image on a grid over its rectangle, deformed per vertex by
// the effect and faded per pixel. Progress 0 is the window as it is; at 1 it is gone.
//   1 Genie: the rows nearest the target point narrow first, then everything is drawn
//     into the point.
//   2 Tornado: the image twists about its centre, the lower rows faster, shrinking and
//     rising.
//   3 Disintegrate: the strips between the seams drift apart while the image crumbles
//     into dust, cracks opening along the seams.
//   4 Melt: the columns run down at their own speeds, stretching as they go.

#include "transition_common.hlsli"

Fragment MeshVertex(float2 position : POSITION, float2 uv : TEXCOORD) {
  float p = saturate(progress);
  float2 q = position;
  float opacity = 1.0;
  float light = 1.0;
  if (effect < 1.5) {
    float reach = max(max(target.y, 1.0 - target.y), 0.001);
    float distance = saturate(abs(q.y - target.y) / reach);
    float pinch = 0.0;
    float pull = 0.0;
    EASE_INTO(pinch, 0.0, 1.0, saturate(p * 1.8 - distance * 0.8));
    EASE_INTO(pull, 0.0, 1.0, saturate((p - distance * 0.4) / 0.6));
    q = float2(lerp(q.x, target.x, pinch), lerp(q.y, target.y, pull));
    EASE_INTO(opacity, 1.0, 0.8, p);
  } else if (effect < 2.5) {
    float2 c = float2((q.x - 0.5) * aspect, q.y - 0.5);
    float turn = p * p * (5.0 + 4.0 * q.y);
    float sine = 0.0;
    float cosine = 1.0;
    SINE_INTO(sine, turn);
    SINE_INTO(cosine, turn + 1.5707963);
    float shrink = 1.0;
    EASE_INTO(shrink, 1.0, 0.0, p);
    c = float2(c.x * cosine - c.y * sine, c.x * sine + c.y * cosine) * (0.1 + 0.9 * shrink);
    q = float2(c.x / aspect + 0.5, c.y + 0.5 - 0.35 * p * p);
    EASE_INTO(opacity, 1.0, 0.6, p);
    light = 1.0 - 0.3 * p;
  } else if (effect < 3.5) {
    float strip = 0.0;
    if (seamCount > 0.5 && q.x > seams.x) strip = strip + 1.0;
    if (seamCount > 1.5 && q.x > seams.y) strip = strip + 1.0;
    if (seamCount > 2.5 && q.x > seams.z) strip = strip + 1.0;
    if (seamCount > 3.5 && q.x > seams.w) strip = strip + 1.0;
    float chance = strip * 0.618034 + 0.31;
    chance = chance - floor(chance);
    float drift = p * p;
    q = q + float2((strip - 0.5 * seamCount) * 0.06 + (chance - 0.5) * 0.1,
                   -(0.15 + 0.35 * chance) * (0.5 + 0.5 * (1.0 - q.y))) * drift;
    light = 1.0 + 0.25 * p;
  } else {
    float wave = 0.0;
    float ripple = 0.0;
    SINE_INTO(wave, q.x * 19.0 + 1.7);
    SINE_INTO(ripple, q.x * 47.0 + 0.4);
    float speed = 1.0 + 0.35 * wave + 0.2 * ripple;
    q.y = q.y + p * p * speed * (0.45 + 0.55 * q.y);
    EASE_INTO(opacity, 1.0, 0.55, p);
    light = 1.0 - 0.25 * p;
  }
  Fragment f;
  f.position = DEVICE_POSITION(q);
  f.uv = uv;
  f.shade = float2(opacity, light);
  f.item = float4(p, effect, columns, rows);
  f.cracks = seams;
  if (seamCount < 0.5) f.cracks.x = -10.0;
  if (seamCount < 1.5) f.cracks.y = -10.0;
  if (seamCount < 2.5) f.cracks.z = -10.0;
  if (seamCount < 3.5) f.cracks.w = -10.0;
  return f;
}

// 1 when `u` lies in the crack opening along `seam`.
#define IN_CRACK(u, seam, gap) saturate(((gap) - abs((u) - (seam))) * 1000.0)

float4 MeshPixel(Fragment f) : SV_Target {
  // Disintegrate's dust, computed for every effect and applied to its own only: each
  // small cell of the image goes at its own moment, sweeping from the right, and cracks
  // open along the seams.
  float progressNow = f.item.x;
  float dusty = saturate(1.0 - abs(f.item.y - 3.0) * 4.0);
  float2 cell = floor(f.uv * f.item.zw * 2.0);
  // A hash of the cell in [0, 1), one step at a time: Wine's compiler gets the same
  // thing written as one nested expression wrong.
  float first = dot(cell, float2(0.1031, 0.11369));
  first = first - floor(first);
  float second = dot(cell, float2(0.13787, 0.0973));
  second = second - floor(second);
  float grain = first * (second + 33.33) * 7.77;
  grain = grain - floor(grain);
  float sweep = progressNow * 1.5 - 0.45 + 0.3 * (1.0 - f.uv.x);
  float gap = progressNow * 0.03;
  float crack = max(max(IN_CRACK(f.uv.x, f.cracks.x, gap), IN_CRACK(f.uv.x, f.cracks.y, gap)),
                    max(IN_CRACK(f.uv.x, f.cracks.z, gap), IN_CRACK(f.uv.x, f.cracks.w, gap)));
  float dust = saturate((grain - sweep) * 12.0) * (1.0 - crack);
  float opacity = f.shade.x * lerp(1.0, dust, dusty);
  // Captured windows carry no alpha: only the colour is used.
  float3 colour = windowTexture.Sample(linearSampler, f.uv).rgb * f.shade.y;
  return float4(colour * opacity, opacity);
}
