#pragma once

// Counting heap allocations in a measured stretch of code, shared by the benchmarks.
// Another benchmark of this program replaces the global operator new (which allocates with
// malloc), so counting happens one level further down, in malloc itself (glibc only).

#include <cstddef>

namespace tessary::bench {

// False where allocations cannot be counted (the counts then stay 0).
bool CountsAllocations();
void StartCountingAllocations();
// The allocations since the start.
std::size_t StopCountingAllocations();

}  // namespace tessary::bench
