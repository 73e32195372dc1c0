#pragma once

#include <cstdint>
#include <iterator>
#include <memory>

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
    static GChDataIterator Begin(const RawDataList& blocks) { return {&blocks, 0, 0}; }
    static GChDataIterator End(const RawDataList& blocks) { return {&blocks, blocks.size(), 0}; }

    ChSample operator*() const;
    GChDataIterator& operator++();
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

    size_t BlockIndex() const { return m_block; }
    int32_t RecordIndex() const { return m_record; }

private:
    // Moves off positions that yield nothing (the end of an empty or last block).
    void Settle();

    const RawDataList* m_blocks = nullptr;
    size_t m_block = 0;
    int32_t m_record = 0;
};

}  // namespace OvGraphFileLib
