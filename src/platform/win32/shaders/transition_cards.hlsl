// "3D Cards": the cards shrink back from their places into a fan, turned in perspective
// to either side by their distance from the selected card, which passes in front of the
// others halfway and comes forward flat into its place at the end. Each card is one quad
// made from SV_VertexID (six vertices, no vertex buffer). Depth orders the cards, not the
// order they are drawn in: the selected one lies behind the others until halfway. With
// `card` = (0, 1, 0) and progress 0 it is simply the image over `rect`, at the back: that
// is how the backdrop is drawn.

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
  float depth = x * sine + lift * (0.6 + 0.3 * abs(slot));
  if (abs(slot) < 0.5) depth = 0.45 * lift;
  float across = x * cosine + slot * 0.3 * aspect * lift;
  float w = max(1.0 + depth / 2.5, 0.2);  // the eye 2.5 card heights in front

  // Nearer is smaller: the others at 0.5, the selected card from behind them to before.
  float order = 0.5 + 0.01 * abs(slot);
  if (abs(slot) < 0.5) order = 0.6 - 0.2 * p;
  if (card.y < 1.5) order = 0.95;

  float2 centre = float2(rect.x + 0.5 * rect.z, rect.y - 0.5 * rect.w);
  Fragment f;
  // Dividing by w through the rasterizer keeps the image straight in perspective.
  f.position = float4(centre.x * w + across / aspect * rect.z, centre.y * w - y * rect.w,
                      order * w, w);
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
