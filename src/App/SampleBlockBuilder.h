#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "filelib/GChRawData.h"
#include "filelib/RawDataInvalidInterval.h"
#include "filelib/RawDataValidInterval.h"

namespace ovgApp {

// Collects the computed records of one block of a channel (times in ms since 1970, double values)
// and ends it into a block list: equally spaced at the channel's interval as a compact block,
// else with a time per record.
class SampleBlockBuilder {
public:
    SampleBlockBuilder(int32_t chType, int64_t interval) : m_chType(chType), m_interval(interval) {}

    void Add(int64_t time, double value)
    {
        m_times.push_back(time);
        m_values.push_back(value);
    }
    // Appends the collected records as one block, if there are any, and starts a new one.
    void End(OvGraphFileLib::RawDataList& blocks)
    {
        if (m_times.empty()) return;
        bool spaced = m_interval > 0;
        for (size_t i = 1; spaced && i < m_times.size(); ++i) spaced = m_times[i] - m_times[i - 1] == m_interval;
        if (spaced) {
            blocks.push_back(OvGraphFileLib::RawDataValidInterval::Create(m_chType, m_times.front(), m_interval, m_values));
        } else {
            auto block = std::make_shared<OvGraphFileLib::RawDataInvalidInterval>();
            block->SetChType(m_chType);
            for (size_t i = 0; i < m_times.size(); ++i) block->Append(m_times[i], m_values[i]);
            blocks.push_back(block);
        }
        m_times.clear();
        m_values.clear();
    }

private:
    int32_t m_chType;
    int64_t m_interval;
    std::vector<int64_t> m_times;
    std::vector<double> m_values;
};

}  // namespace ovgApp
