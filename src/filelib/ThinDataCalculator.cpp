#include "filelib/ThinDataCalculator.h"

#include <limits>

#include "filelib/ChConstants.h"
#include "filelib/TimeMath.h"

namespace OvGraphFileLib {

void ThinDataCalculator::Restart(double start)
{
    m_invalidSeen = false;
    m_breakSeen = false;
    m_count = 0;
    m_accumulator = start;
}

bool ThinDataCalculator::Take(double value)
{
    if (value == INVALID_VALUE) {
        m_invalidSeen = true;
        return false;
    }
    if (value == BREAK_VALUE) {
        m_breakSeen = true;
        return false;
    }
    ++m_count;
    return true;
}

double ThinDataCalculator::Combined(uint32_t lenient, double value) const
{
    if (lenient == 0 && m_breakSeen) return BREAK_VALUE;
    if (lenient == 0 && m_invalidSeen) return INVALID_VALUE;
    return m_count > 0 ? value : INVALID_VALUE;
}

int64_t ThinDataCalculator::LastRecordTime(int64_t windowStart, int64_t windowLength, int64_t chInterval)
{
    // A channel without a fixed interval (-1) has no last record time to name: the window's last
    // millisecond stands in, so the stamp stays inside its window.
    return RecordTime(RecordTime(windowStart, windowLength, 1), chInterval > 0 ? -chInterval : -1, 1);
}

// Sampling keeps the first value only: the accumulator holds it, the count says whether one came.
void ThinDataCalcSmp::Reset() { Restart(BREAK_VALUE); }

void ThinDataCalcSmp::Add(double value)
{
    if (m_count > 0) return;
    m_accumulator = value;
    m_count = 1;
}

double ThinDataCalcSmp::GetResult(uint32_t) const { return m_accumulator; }

int64_t ThinDataCalcSmp::GetTime(int64_t windowStart, int64_t, int64_t) const { return windowStart; }

void ThinDataCalcMin::Reset() { Restart(std::numeric_limits<double>::max()); }

void ThinDataCalcMin::Add(double value)
{
    if (Take(value) && value < m_accumulator) m_accumulator = value;
}

double ThinDataCalcMin::GetResult(uint32_t lenient) const { return Combined(lenient, m_accumulator); }

int64_t ThinDataCalcMin::GetTime(int64_t windowStart, int64_t windowLength, int64_t chInterval) const
{
    return LastRecordTime(windowStart, windowLength, chInterval);
}

void ThinDataCalcMax::Reset() { Restart(-std::numeric_limits<double>::max()); }

void ThinDataCalcMax::Add(double value)
{
    if (Take(value) && value > m_accumulator) m_accumulator = value;
}

double ThinDataCalcMax::GetResult(uint32_t lenient) const { return Combined(lenient, m_accumulator); }

int64_t ThinDataCalcMax::GetTime(int64_t windowStart, int64_t windowLength, int64_t chInterval) const
{
    return LastRecordTime(windowStart, windowLength, chInterval);
}

void ThinDataCalcSum::Reset() { Restart(0); }

void ThinDataCalcSum::Add(double value)
{
    if (Take(value)) m_accumulator += value;
}

double ThinDataCalcSum::GetResult(uint32_t lenient) const { return Combined(lenient, m_accumulator); }

int64_t ThinDataCalcSum::GetTime(int64_t windowStart, int64_t windowLength, int64_t chInterval) const
{
    return LastRecordTime(windowStart, windowLength, chInterval);
}

double ThinDataCalcAve::GetResult(uint32_t lenient) const
{
    return Combined(lenient, m_count > 0 ? m_accumulator / m_count : 0);
}

std::unique_ptr<ThinDataCalculator> CreateThinDataCalculator(int32_t method)
{
    switch (method) {
    case 0: return std::make_unique<ThinDataCalcSmp>();
    case 1: return std::make_unique<ThinDataCalcMin>();
    case 2: return std::make_unique<ThinDataCalcMax>();
    case 3: return std::make_unique<ThinDataCalcSum>();
    case 4: return std::make_unique<ThinDataCalcAve>();
    default: return nullptr;
    }
}

}  // namespace OvGraphFileLib
