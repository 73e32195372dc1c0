#pragma once

// A test program that links AllocationProbe.cpp replaces the global operator new and delete (and
// pugixml's allocation functions) with counting ones: a probe measures the most bytes a piece of
// code held at once, and can make the n-th allocation fail, as a machine out of memory would.
#include <cstddef>
#include <cstdint>

namespace alloc_probe {

// The bytes held now through operator new and pugixml.
int64_t HeldBytes();

// From construction to destruction: the largest number of bytes held at once above what was
// held at construction (allocations of every thread count).
class PeakScope {
public:
    PeakScope();
    ~PeakScope();
    PeakScope(const PeakScope&) = delete;
    PeakScope& operator=(const PeakScope&) = delete;
    size_t Peak() const;

private:
    int64_t m_base;
};

// While it lives, the n-th allocation from its construction on (1 = the first) throws
// std::bad_alloc (nothrow forms return null), and so does every later one. Failed() tells whether
// an allocation was refused.
class FailScope {
public:
    explicit FailScope(int64_t n);
    ~FailScope();
    FailScope(const FailScope&) = delete;
    FailScope& operator=(const FailScope&) = delete;
    bool Failed() const;
};

}  // namespace alloc_probe
