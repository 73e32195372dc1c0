#include "filelib/GChDataIterator.h"

#include <algorithm>

#include "filelib/GChRawData.h"
#include "filelib/TimeMath.h"

namespace OvGraphFileLib {
namespace {

// The times of records first to first + n - 1 of a block, handed to put(k, time).
template <class Put>
void RecordTimes(const GChRawData& block, int32_t first, size_t n, Put put)
{
    if (block.IsEquallySpaced()) {
        // Wraps like RecordTime does.
        uint64_t time = uint64_t(RecordTime(block.GetFirstTime(), block.GetInterval(), first));
        const uint64_t step = uint64_t(block.GetInterval());
        for (size_t k = 0; k < n; ++k, time += step) put(k, int64_t(time));
    } else {
        for (size_t k = 0; k < n; ++k) put(k, block.GetTime(first + int32_t(k)));
    }
}

}  // namespace

GChDataIterator::GChDataIterator(const RawDataList* blocks, size_t block, int32_t record)
    : m_blocks(blocks), m_block(block), m_record(record)
{
    Settle();
}

void GChDataIterator::Settle()
{
    m_chunkSize = 0;
    const size_t n = m_blocks ? m_blocks->size() : 0;
    while (m_block < n) {
        const int32_t count = (*m_blocks)[m_block]->GetCount();
        const bool breakFollows = count > 0 && m_block + 1 < n;
        m_positions = int64_t(count) + (breakFollows ? 1 : 0);
        if (m_record < m_positions) return;
        ++m_block;
        m_record = 0;
    }
    m_block = n;
    m_record = 0;
    m_positions = 0;
}

void GChDataIterator::NextBlock()
{
    if (!m_blocks || m_block >= m_blocks->size()) return;  // past the end a step stays there
    ++m_block;
    m_record = 0;
    Settle();
}

size_t GChDataIterator::Read(ChSample* out, size_t max)
{
    constexpr size_t kBatch = 256;
    size_t copied = 0;
    while (copied < max && m_blocks && m_block < m_blocks->size()) {
        const GChRawData& block = *(*m_blocks)[m_block];
        const int32_t count = block.GetCount();
        if (m_record < 0 || m_record >= count) {
            // The break item, or a position before the records: one at a time.
            out[copied++] = **this;
            ++*this;
            continue;
        }
        // Records go straight into the caller's items, not through the chunk.
        const size_t n = std::min({size_t(count - m_record), max - copied, kBatch});
        double values[kBatch];
        block.GetValues(m_record, int32_t(n), values);
        ChSample* to = out + copied;
        RecordTimes(block, m_record, n, [to, &values](size_t k, int64_t time) { to[k] = {time, values[k]}; });
        copied += n;
        if (int64_t(m_record) + int64_t(n) < m_positions)
            m_record += int32_t(n);
        else
            NextBlock();
    }
    return copied;
}

ChSample GChDataIterator::LoadChunk() const
{
    m_chunkSize = 0;
    if (!m_blocks || m_block >= m_blocks->size()) return {NO_TIME, INVALID_VALUE};
    const GChRawData& block = *(*m_blocks)[m_block];
    const int32_t count = block.GetCount();
    m_chunkFirst = m_record;
    uint32_t size = 0;
    if (m_record < 0) {
        // Outside the records: what the block itself answers.
        m_times[0] = block.GetTime(m_record);
        m_values[0] = block.GetValue(m_record);
        size = 1;
    } else if (m_record < count) {
        size = uint32_t(std::min<int64_t>(kChunk, int64_t(count) - m_record));
        block.GetValues(m_record, int32_t(size), m_values);
        RecordTimes(block, m_record, size, [this](size_t k, int64_t time) { m_times[k] = time; });
    }
    // The break item after the block's last record, in the same chunk when there is room.
    if (m_positions > count && size < kChunk && int64_t(m_record) + size == count) {
        m_times[size] = RecordTime(block.GetTime(count - 1), 1, 1);
        m_values[size] = BREAK_VALUE;
        ++size;
    }
    m_chunkSize = size;
    if (size == 0) return {NO_TIME, INVALID_VALUE};
    return {m_times[0], m_values[0]};
}

}  // namespace OvGraphFileLib
