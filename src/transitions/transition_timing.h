#pragma once

// How long an effect plays and how its progress moves.

#include <optional>
#include <string>

namespace tessary {

inline constexpr double kMeshSeconds = 0.5;
inline constexpr double kCardSeconds = 0.55;
// However the frames go, the UI thread is given back this long after the run's length.
inline constexpr double kSafetySeconds = 1.0;

// The environment variable that stretches every effect, for watching one frame by frame.
inline constexpr const char* kSlowdownVariable = "TESSARY_TRANSITION_SLOWDOWN";
// The value read as a decimal number: at least 1; 1 when absent, longer than 15
// characters, unparsable or not finite.
double ParseSlowdown(const std::optional<std::string>& value);

// The mesh pass eases in and out (cubic); cards turn at an even pace.
double MeshProgress(double t);
double CardProgress(double t);

}  // namespace tessary
