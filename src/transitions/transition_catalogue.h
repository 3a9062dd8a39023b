#pragma once

// The switching effects a stack can play, as the settings name them ("stackTransition")
// and as the user sees them. The index is the effect's id everywhere in the program.

#include <cstdint>
#include <string>
#include <string_view>

namespace tessary {

inline constexpr int kTransitionCount = 6;
inline constexpr int kTransitionSlide = 0;
inline constexpr int kTransitionCards = 1;

// The keys stored in the settings, and the names the settings window lists; index 0 is
// also what any unknown key means.
inline constexpr const char* kTransitionNames[kTransitionCount] = {
    "shuffle", "cards", "genie", "tornado", "melt", "disintegrate"};
inline constexpr const char* kTransitionDisplayNames[kTransitionCount] = {
    "Slide", "3D Cards", "Genie", "Tornado", "Melt", "Disintegrate"};

// The id of a key; a key that names no effect is the slide.
int TransitionIndex(std::string_view key);
// An id outside the catalogue is the slide.
int ValidTransition(int id);
std::string_view TransitionKey(int id);
std::string_view TransitionDisplayName(int id);

// How an effect is drawn: the slide moves the real window, the others draw captured
// images over it with the GPU.
enum class TransitionDrawing : std::uint8_t { kSlide, kCards, kMesh };
TransitionDrawing DrawingOf(int id);

// The mesh pass's effect numbers, which the effect programs switch on.
inline constexpr int kMeshGenie = 1;
inline constexpr int kMeshTornado = 2;
inline constexpr int kMeshDisintegrate = 3;
inline constexpr int kMeshMelt = 4;
// The effect number of a mesh-pass effect id; 0 for the slide and the cards.
int MeshEffectNumber(int id);

}  // namespace tessary
