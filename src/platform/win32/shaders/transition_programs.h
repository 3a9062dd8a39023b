#pragma once

// The switching effects' programs as shader objects, compiled from the HLSL beside this
// file when the program is built (compile_shader_main.cpp) and linked in as data.

#include <cstddef>

namespace tessary::shaders {

extern const unsigned char kMeshVertex[];
extern const std::size_t kMeshVertexSize;
extern const unsigned char kMeshPixel[];
extern const std::size_t kMeshPixelSize;
extern const unsigned char kCardVertex[];
extern const std::size_t kCardVertexSize;
extern const unsigned char kCardPixel[];
extern const std::size_t kCardPixelSize;

}  // namespace tessary::shaders
