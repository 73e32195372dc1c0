#include "AllocationProbe.h"

#include <atomic>
#include <cstdlib>
#include <new>
#include <pugixml.hpp>

namespace {

// Each block carries its size in front of it, so that delete knows what it gives back.
constexpr size_t kHeader = 16;

std::atomic<int64_t> g_live{0};
std::atomic<int64_t> g_peak{0};
std::atomic<int64_t> g_countdown{-1};  // allocations left before failing; -1 never fails
std::atomic<bool> g_failed{false};

bool MayAllocate()
{
    int64_t left = g_countdown.load(std::memory_order_relaxed);
    while (left >= 0) {
        if (left == 0) {
            g_failed = true;
            return false;
        }
        if (g_countdown.compare_exchange_weak(left, left - 1)) return true;
    }
    return true;
}

void Count(int64_t bytes)
{
    const int64_t live = g_live.fetch_add(bytes, std::memory_order_relaxed) + bytes;
    int64_t peak = g_peak.load(std::memory_order_relaxed);
    while (live > peak && !g_peak.compare_exchange_weak(peak, live, std::memory_order_relaxed)) {
    }
}

void* Allocate(size_t size, size_t alignment = kHeader)
{
    if (!MayAllocate()) return nullptr;
    const size_t offset = alignment > kHeader ? alignment : kHeader;
    void* base = nullptr;
    if (alignment > kHeader ? posix_memalign(&base, alignment, size + offset) != 0 : !(base = std::malloc(size + offset)))
        return nullptr;
    char* block = static_cast<char*>(base) + offset;
    reinterpret_cast<size_t*>(block)[-1] = size;
    Count(int64_t(size));
    return block;
}

void Release(void* pointer, size_t alignment = kHeader)
{
    if (!pointer) return;
    char* block = static_cast<char*>(pointer);
    Count(-int64_t(reinterpret_cast<size_t*>(block)[-1]));
    std::free(block - (alignment > kHeader ? alignment : kHeader));
}

void* AllocateOrThrow(size_t size, size_t alignment = kHeader)
{
    void* block = Allocate(size, alignment);
    if (!block) throw std::bad_alloc();
    return block;
}

void* PugiAllocate(size_t size) { return Allocate(size); }
void PugiRelease(void* pointer) { Release(pointer); }

// pugixml allocates its trees with malloc unless told otherwise.
const bool g_pugiCounted = [] {
    pugi::set_memory_management_functions(PugiAllocate, PugiRelease);
    return true;
}();

}  // namespace

// A thread-checking build keeps its own operator new: it follows every block between threads,
// which counting blocks of malloc would hide. The probe then measures nothing there.
#ifndef __SANITIZE_THREAD__
void* operator new(size_t size) { return AllocateOrThrow(size); }
void* operator new[](size_t size) { return AllocateOrThrow(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new(size_t size, std::align_val_t align) { return AllocateOrThrow(size, size_t(align)); }
void* operator new[](size_t size, std::align_val_t align) { return AllocateOrThrow(size, size_t(align)); }
void operator delete(void* pointer) noexcept { Release(pointer); }
void operator delete[](void* pointer) noexcept { Release(pointer); }
void operator delete(void* pointer, size_t) noexcept { Release(pointer); }
void operator delete[](void* pointer, size_t) noexcept { Release(pointer); }
void operator delete(void* pointer, std::align_val_t align) noexcept { Release(pointer, size_t(align)); }
void operator delete[](void* pointer, std::align_val_t align) noexcept { Release(pointer, size_t(align)); }
void operator delete(void* pointer, size_t, std::align_val_t align) noexcept { Release(pointer, size_t(align)); }
void operator delete[](void* pointer, size_t, std::align_val_t align) noexcept { Release(pointer, size_t(align)); }
#endif

namespace alloc_probe {

int64_t HeldBytes() { return g_live.load(); }

PeakScope::PeakScope() : m_base(g_live.load())
{
    g_peak = m_base;
}

PeakScope::~PeakScope() = default;

size_t PeakScope::Peak() const
{
    const int64_t peak = g_peak.load() - m_base;
    return peak > 0 ? size_t(peak) : 0;
}

FailScope::FailScope(int64_t n)
{
    g_failed = false;
    g_countdown = n - 1;
}

FailScope::~FailScope() { g_countdown = -1; }

bool FailScope::Failed() const { return g_failed; }

}  // namespace alloc_probe
