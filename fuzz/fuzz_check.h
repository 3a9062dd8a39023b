#pragma once

// A fuzz target's assertion: unlike assert() it stays on in release builds, and it
// aborts so libFuzzer keeps the input that broke the invariant.

#include <cstdio>
#include <cstdlib>

#define CHECK(condition)                                                                 \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (0)
