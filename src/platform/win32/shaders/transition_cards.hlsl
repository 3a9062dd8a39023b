// "3D Cards": every item is a card that swings out of its place in perspective while the
// run goes on and returns flat to it at the end, the selected card rising in front and
// the others fanning out to either side by their distance from it. Each card is one quad
// made from SV_VertexID (six vertices, no vertex buffer). With `card` = (0, 1, 0) and
// progress 0 it is simply the image over `rect`, which is how the backdrop is drawn.

#include "transition_common.hlsli"

Fragment CardVertex(uint id : SV_VertexID) {
  uint corner = id % 6;
  float2 q = float2(0.0, 0.0);
  if (corner == 1 || corner == 4) q = float2(1.0, 0.0);
  if (corner == 2 || corner == 3) q = float2(0.0, 1.0);
  if (corner == 5) q = float2(1.0, 1.0);

  float p = saturate(progress);
  float lift = 4.0 * p * (1.0 - p);  // 0 at both ends, 1 halfway
  float slot = clamp(card.x - card.z, -3.0, 3.0);
  float angle = -0.5 * slot * lift;
  float sine = 0.0;
  float cosine = 1.0;
  SINE_INTO(sine, angle);
  SINE_INTO(cosine, angle + 1.5707963);

  // In card heights around the card's centre, turned about the vertical axis.
  float x = (q.x - 0.5) * aspect;
  float y = q.y - 0.5;
  float depth = x * sine + lift * (0.25 + 0.3 * abs(slot));
  if (abs(slot) < 0.5) depth = -0.12 * lift;
  float across = x * cosine + slot * 0.42 * aspect * lift;
  float w = max(1.0 + depth / 2.5, 0.2);  // the eye 2.5 card heights in front

  float2 centre = float2(rect.x + 0.5 * rect.z, rect.y - 0.5 * rect.w);
  Fragment f;
  // Dividing by w through the rasterizer keeps the image straight in perspective.
  f.position = float4(centre.x * w + across / aspect * rect.z, centre.y * w - y * rect.w,
                      0.0, w);
  f.uv = q;
  f.shade = float2(1.0, 1.0 - 0.3 * lift * min(abs(slot), 2.0) / 2.0);
  f.item = float4(p, 0.0, 0.0, 0.0);
  f.cracks = float4(-10.0, -10.0, -10.0, -10.0);
  return f;
}

float4 CardPixel(Fragment f) : SV_Target {
  // Captured windows carry no alpha: only the colour is used.
  float3 colour = windowTexture.Sample(linearSampler, f.uv).rgb * f.shade.y;
  return float4(colour * f.shade.x, f.shade.x);
}
