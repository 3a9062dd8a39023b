#include "transitions/transitions.h"

#include <algorithm>
#include <utility>

#include "transitions/transition_catalogue.h"
#include "transitions/transition_geometry.h"
#include "transitions/transition_timing.h"

namespace tessary {
namespace {

std::vector<Rect> RectsOf(const std::vector<TransitionItem>& items) {
  std::vector<Rect> rects;
  rects.reserve(items.size());
  for (const TransitionItem& item : items) rects.push_back(item.rect);
  return rects;
}

}  // namespace

Transitions::Transitions(TransitionGpu* gpu, Clock& clock,
                         std::function<std::optional<std::string>()> readSlowdown)
    : gpu_(gpu), clock_(clock), readSlowdown_(std::move(readSlowdown)) {}

void Transitions::Warm() {
  if (gpu_) gpu_->Warm();
}

double Transitions::Slowdown() {
  if (!slowdown_) slowdown_ = ParseSlowdown(readSlowdown_ ? readSlowdown_() : std::nullopt);
  return *slowdown_;
}

bool Transitions::Run(int effect, const std::vector<TransitionItem>& items, double scale,
                      const std::function<void()>& swap) {
  const int number = MeshEffectNumber(effect);
  if (number == 0) return false;  // the slide and the cards are not drawn by this pass
  Pass pass{.effect = effect,
            .kind = TransitionPass::kMesh,
            .seconds = kMeshSeconds,
            .progress = &MeshProgress};
  pass.prepare = [&](std::size_t i, int texture, const Rect& overlay, TransitionDraw& draw) {
    const TransitionItem& item = items[i];
    const MeshResolution resolution = MeshResolutionFor(number, item.rect, scale);
    const int mesh = gpu_->AddMesh(BuildMesh(resolution.columns, resolution.rows));
    if (mesh < 0) return false;
    const Point target = item.target ? *item.target : DefaultGenieTarget(item.rect, scale);
    draw = {texture, mesh, MeshUniforms(item.rect, overlay, target, number, resolution)};
    return true;
  };
  return Play(pass, items, nullptr, swap);
}

bool Transitions::RunCards(const std::vector<TransitionItem>& items, int selected,
                           const PixelImage& backdrop, const std::function<void()>& swap) {
  Pass pass{.effect = kTransitionCards,
            .kind = TransitionPass::kCards,
            .seconds = kCardSeconds,
            .progress = &CardProgress};
  const int count = static_cast<int>(items.size());
  pass.prepare = [&](std::size_t i, int texture, const Rect& overlay, TransitionDraw& draw) {
    draw = {texture, -1,
            CardUniforms(items[i].rect, overlay, static_cast<int>(i), count, selected)};
    return true;
  };
  return Play(pass, items, backdrop.Empty() ? nullptr : &backdrop, swap);
}

bool Transitions::Device(PerformanceRecord& record) {
  double warmMilliseconds = -1;
  if (!gpu_->Device(warmMilliseconds)) return false;
  if (warmMilliseconds >= 0 && !warmLogged_) {
    warmLogged_ = true;
    Log("perf gpu-warm ms=%.1f (made off the UI thread)", warmMilliseconds);
  }
  record.Mark("device");
  return true;
}

bool Transitions::Play(const Pass& pass, const std::vector<TransitionItem>& items,
                       const PixelImage* backdrop, const std::function<void()>& swap) {
  if (!gpu_ || items.empty()) return false;
  PerformanceRecord record("fx-" + std::string(TransitionDisplayName(pass.effect)));
  const double runStart = clock_.Now();
  if (!Device(record)) return false;
  const Rect overlay = BoundingRect(RectsOf(items));
  // From here every way out closes the overlay (Close is safe after any failure).
  auto fail = [&] {
    gpu_->Close();
    return false;
  };
  if (!gpu_->Open(overlay)) return fail();
  int backdropTexture = -1;
  if (backdrop && (backdropTexture = gpu_->AddTexture(*backdrop)) < 0) return fail();
  std::vector<TransitionDraw> draws(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    const int texture = gpu_->AddTexture(items[i].image);
    if (texture < 0 || !pass.prepare(i, texture, overlay, draws[i])) return fail();
  }
  record.Mark("textures");
  if (!gpu_->DrawFrame(pass.kind, backdropTexture, draws)) return fail();
  record.SetFirst((clock_.Now() - runStart) * 1000.0);
  record.Mark("overlay");
  if (!gpu_->Show()) return fail();
  record.Mark("reveal");
  if (swap) swap();
  record.Mark("swap");
  Animate(pass, backdropTexture, draws, runStart, record);
  gpu_->Close();
  record.Finish();
  return true;
}

void Transitions::Animate(const Pass& pass, int backdrop, std::vector<TransitionDraw>& draws,
                          double runStart, PerformanceRecord& record) {
  const double length = Slowdown() * pass.seconds;
  const double start = clock_.Now();
  double last = start;
  while (true) {
    clock_.WaitForNextFrame();
    const double now = clock_.Now();
    const double t = length > 0 ? std::min((now - start) / length, 1.0) : 1.0;
    const auto progress = static_cast<float>(pass.progress(t));
    for (TransitionDraw& draw : draws) draw.uniforms.progress = progress;
    // A frame the GPU cannot draw ends the effect; the windows are already switched.
    if (!gpu_->DrawFrame(pass.kind, backdrop, draws)) break;
    record.AddFrame((now - last) * 1000.0);
    last = now;
    if (t >= 1 || now - runStart >= length + kSafetySeconds) break;
  }
}

}  // namespace tessary
