// Replacement global operator new/delete with a fault countdown (see
// alloc_fault.h). Tests run one at a time in this binary, so plain atomics
// are enough.
#include "alloc_fault.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<int64_t> countdown{-1};
std::atomic<bool> failed{false};
std::atomic<int64_t> live{0};

void* Allocate(std::size_t size)
{
    if (countdown.load() >= 0 && countdown.fetch_sub(1) == 0) {
        failed = true;
        throw std::bad_alloc();
    }
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr)
        throw std::bad_alloc();
    ++live;
    return p;
}

void Release(void* p) noexcept
{
    if (p == nullptr)
        return;
    --live;
    std::free(p);
}

}  // namespace

namespace tarnwick::test {

void FailAllocationAfter(int64_t n)
{
    failed = false;
    countdown = n;
}

bool AllocationFailed()
{
    return failed.load();
}

int64_t LiveAllocations()
{
    return live.load();
}

}  // namespace tarnwick::test

void* operator new(std::size_t size)
{
    return Allocate(size);
}

void* operator new[](std::size_t size)
{
    return Allocate(size);
}

void operator delete(void* p) noexcept
{
    Release(p);
}

void operator delete[](void* p) noexcept
{
    Release(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    Release(p);
}

void operator delete[](void* p, std::size_t) noexcept
{
    Release(p);
}
