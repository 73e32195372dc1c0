#pragma once

#include <cstdint>
#include <iterator>
#include <memory>

#include "filelib/ChConstants.h"
#include "filelib/ICh.h"

namespace OvGraphFileLib {

struct ChSample {
    int64_t time;  // ms
    double value;  // INVALID_VALUE for no data, BREAK_VALUE between two blocks
};

// Walks a block list record by record. Between two blocks (after a non-empty block that another
// follows) it yields one break item at the block's last record time + 1 ms with BREAK_VALUE, so
// consumers do not join the blocks. Past the end it yields (-1, INVALID_VALUE).
// The list must outlive the iterator and not change while it is used.
//
// Items are decoded a chunk at a time (the block's bulk GetValues, times from the block's first
// time and interval when it is equally spaced), so a step costs no virtual call. The chunk is a
// cache: copies start without it, and dereferencing one iterator from two threads at once is a
// race. Read is the faster way through a whole channel: a loop that steps an iterator holds a
// call (the next chunk), and the compiler then keeps the loop's floating-point sums in memory.
class GChDataIterator {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = ChSample;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = ChSample;

    GChDataIterator() = default;
    // Positioned at record `record` of block `block`.
    GChDataIterator(const RawDataList* blocks, size_t block, int32_t record);
    GChDataIterator(const GChDataIterator& other) { CopyPosition(other); }
    GChDataIterator& operator=(const GChDataIterator& other)
    {
        CopyPosition(other);
        return *this;
    }
    static GChDataIterator Begin(const RawDataList& blocks) { return {&blocks, 0, 0}; }
    static GChDataIterator End(const RawDataList& blocks) { return {&blocks, blocks.size(), 0}; }

    ChSample operator*() const
    {
        const uint64_t k = uint64_t(int64_t(m_record) - m_chunkFirst);
        if (k < m_chunkSize) [[likely]]
            return {m_times[k], m_values[k]};
        return LoadChunk();
    }
    GChDataIterator& operator++()
    {
        if (int64_t(m_record) + 1 < m_positions) [[likely]]
            ++m_record;
        else
            NextBlock();
        return *this;
    }
    GChDataIterator operator++(int)
    {
        GChDataIterator before = *this;
        ++*this;
        return before;
    }
    bool operator==(const GChDataIterator& other) const
    {
        return m_block == other.m_block && m_record == other.m_record;
    }

    // Copies up to `max` items from here on into `out` and moves past them; the number copied,
    // 0 at the end. The same items as dereferencing and stepping.
    size_t Read(ChSample* out, size_t max);

    size_t BlockIndex() const { return m_block; }
    int32_t RecordIndex() const { return m_record; }

private:
    static constexpr uint32_t kChunk = 64;

    // Moves off positions that yield nothing (the end of an empty or last block).
    void Settle();
    // Called when a step leaves the current block's positions.
    [[gnu::cold]] void NextBlock();
    // Decodes the chunk that starts at the current position and returns its first item.
    [[gnu::cold]] ChSample LoadChunk() const;
    void CopyPosition(const GChDataIterator& other)
    {
        m_blocks = other.m_blocks;
        m_block = other.m_block;
        m_record = other.m_record;
        m_positions = other.m_positions;
        m_chunkSize = 0;
    }

    const RawDataList* m_blocks = nullptr;
    size_t m_block = 0;
    int32_t m_record = 0;
    // Positions of the current block: its records, and the break item when one follows them.
    int64_t m_positions = 0;
    // Items of positions m_chunkFirst to m_chunkFirst + m_chunkSize - 1 of the current block.
    mutable int32_t m_chunkFirst = 0;
    mutable uint32_t m_chunkSize = 0;
    mutable int64_t m_times[kChunk];
    mutable double m_values[kChunk];
};

}  // namespace OvGraphFileLib
