#include "transitions/transition_catalogue.h"

namespace tessary {
namespace {

// By id: the mesh pass's effect number (0: not drawn by the mesh pass).
constexpr int kMeshNumbers[kTransitionCount] = {0, 0, kMeshGenie, kMeshTornado, kMeshMelt,
                                                kMeshDisintegrate};

}  // namespace

int TransitionIndex(std::string_view key) {
  for (int i = 0; i < kTransitionCount; ++i) {
    if (key == kTransitionNames[i]) return i;
  }
  return kTransitionSlide;
}

int ValidTransition(int id) { return id >= 0 && id < kTransitionCount ? id : kTransitionSlide; }

std::string_view TransitionKey(int id) { return kTransitionNames[ValidTransition(id)]; }

std::string_view TransitionDisplayName(int id) {
  return kTransitionDisplayNames[ValidTransition(id)];
}

TransitionDrawing DrawingOf(int id) {
  switch (ValidTransition(id)) {
    case kTransitionSlide:
      return TransitionDrawing::kSlide;
    case kTransitionCards:
      return TransitionDrawing::kCards;
    default:
      return TransitionDrawing::kMesh;
  }
}

int MeshEffectNumber(int id) { return kMeshNumbers[ValidTransition(id)]; }

}  // namespace tessary
