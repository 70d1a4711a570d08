// The editor tests replace the global allocation functions so that a test
// can make the n-th allocation from now fail with std::bad_alloc and count
// the allocations still alive, to see what an operation leaves behind when
// memory runs out at each of its steps.
#pragma once

#include <cstdint>

namespace tarnwick::test {

// The allocation `n` steps from now (0: the next one) throws; -1 disarms.
void FailAllocationAfter(int64_t n);
// Whether the armed failure has been thrown since it was armed.
bool AllocationFailed();
// Allocations made and not yet freed, over the whole test binary.
int64_t LiveAllocations();

}  // namespace tarnwick::test
