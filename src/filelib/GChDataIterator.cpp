#include "filelib/GChDataIterator.h"

#include "filelib/ChConstants.h"
#include "filelib/GChRawData.h"
#include "filelib/TimeMath.h"

namespace OvGraphFileLib {

GChDataIterator::GChDataIterator(const RawDataList* blocks, size_t block, int32_t record)
    : m_blocks(blocks), m_block(block), m_record(record)
{
    Settle();
}

void GChDataIterator::Settle()
{
    const size_t n = m_blocks ? m_blocks->size() : 0;
    while (m_block < n) {
        const int32_t count = (*m_blocks)[m_block]->GetCount();
        if (m_record < count) return;
        if (m_record == count && count > 0 && m_block + 1 < n) return;  // the break item
        ++m_block;
        m_record = 0;
    }
    m_block = n;
    m_record = 0;
}

ChSample GChDataIterator::operator*() const
{
    if (!m_blocks || m_block >= m_blocks->size()) return {NO_TIME, INVALID_VALUE};
    const GChRawData& block = *(*m_blocks)[m_block];
    if (m_record < block.GetCount()) return {block.GetTime(m_record), block.GetValue(m_record)};
    return {RecordTime(block.GetTime(block.GetCount() - 1), 1, 1), BREAK_VALUE};
}

GChDataIterator& GChDataIterator::operator++()
{
    if (!m_blocks || m_block >= m_blocks->size()) return *this;
    if (m_record < (*m_blocks)[m_block]->GetCount()) {
        ++m_record;
    } else {
        ++m_block;
        m_record = 0;
    }
    Settle();
    return *this;
}

}  // namespace OvGraphFileLib
