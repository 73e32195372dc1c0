#include "filelib/ThinData.h"

#include <limits>
#include <vector>

#include "filelib/ChConstants.h"
#include "filelib/RawDataValidInterval.h"
#include "filelib/ThinDataCalculator.h"
#include "filelib/TimeMath.h"

namespace OvGraphFileLib {
namespace {

__extension__ using Wide = __int128;

constexpr const char* kWhere = "OvGraphFileLib::ThinData";
constexpr int32_t kBadParameter = 20020;
constexpr int32_t kTooManyWindows = 20021;

// The records of the thinned channel. Consecutive windows are one window length apart, so every
// output block is equally spaced at that length.
class ThinOutput {
public:
    ThinOutput(int32_t chType, int64_t windowLength) : m_chType(chType), m_windowLength(windowLength) {}

    void Emit(int64_t time, double value)
    {
        if (m_values.empty()) m_firstTime = time;
        m_values.push_back(value);
    }
    void EndBlock()
    {
        if (m_values.empty()) return;
        m_blocks.push_back(RawDataValidInterval::Create(m_chType, m_firstTime, m_windowLength, m_values));
        m_values.clear();
    }
    RawDataList Take()
    {
        EndBlock();
        return std::move(m_blocks);
    }

private:
    int32_t m_chType;
    int64_t m_windowLength;
    int64_t m_firstTime = NO_TIME;
    std::vector<double> m_values;
    RawDataList m_blocks;
};

// The walk over the records with one calculator, held by value so that its calls are direct.
template <class Calc>
class ThinWalk {
public:
    ThinWalk(const ThinDataPrm& prm, int64_t chInterval, ThinOutput& out) : m_prm(prm), m_chInterval(chInterval), m_out(out)
    {
        m_calc.Reset();
    }

    // False when the windows up to this record exceed kMaxThinWindows.
    bool Feed(int64_t time, double value)
    {
        if (!m_started) Start(time);
        if (time >= m_end) {
            // Close every window that ends at or before the record: exactly this many.
            const Wide windows = (Wide(time) - m_start) / m_prm.windowLength;
            if (m_closed + windows > kMaxThinWindows) return false;
            for (Wide k = 0; k < windows; ++k) Close();
        }
        m_calc.Add(value);
        return true;
    }

    // The last window closes after the last record.
    bool Finish()
    {
        if (!m_started) return true;
        if (m_closed + 1 > kMaxThinWindows) return false;
        Close();
        return true;
    }

private:
    // The first window is the one that holds the first record; a record before the origin falls
    // in the window that starts at the origin.
    void Start(int64_t firstTime)
    {
        const Wide quotient = (Wide(firstTime) - m_prm.origin) / m_prm.windowLength;
        m_start = quotient > 0 ? int64_t(m_prm.origin + quotient * m_prm.windowLength) : m_prm.origin;
        SetEnd();
        m_started = true;
    }
    void SetEnd()
    {
        const Wide end = Wide(m_start) + m_prm.windowLength;
        m_end = end > std::numeric_limits<int64_t>::max() ? std::numeric_limits<int64_t>::max() : int64_t(end);
    }
    void Close()
    {
        const double value = m_calc.GetResult(m_prm.lenient);
        if (value == BREAK_VALUE)
            m_out.EndBlock();
        else
            m_out.Emit(m_calc.GetTime(m_start, m_prm.windowLength, m_chInterval), value);
        m_calc.Reset();
        m_start = RecordTime(m_start, m_prm.windowLength, 1);
        SetEnd();
        ++m_closed;
    }

    const ThinDataPrm& m_prm;
    int64_t m_chInterval;
    ThinOutput& m_out;
    Calc m_calc;
    bool m_started = false;
    int64_t m_start = 0;
    int64_t m_end = 0;
    Wide m_closed = 0;
};

// Feeds every record of the blocks in time order, with BREAK_VALUE one millisecond after a
// block's last record when another block follows (as the channel data iterator yields them).
template <class Calc>
bool WalkBlocks(const RawDataList& blocks, ThinWalk<Calc>& walk)
{
    constexpr int32_t kChunk = 4096;
    std::vector<double> values(kChunk);
    for (size_t b = 0; b < blocks.size(); ++b) {
        const GChRawData& block = *blocks[b];
        const int32_t count = block.GetCount();
        if (count <= 0) continue;
        if (block.IsEquallySpaced()) {
            const int64_t first = block.GetFirstTime(), interval = block.GetInterval();
            for (int32_t at = 0; at < count; at += kChunk) {
                const int32_t n = count - at < kChunk ? count - at : kChunk;
                block.GetValues(at, n, values.data());
                for (int32_t k = 0; k < n; ++k)
                    if (!walk.Feed(RecordTime(first, interval, at + k), values[size_t(k)])) return false;
            }
        } else {
            for (int32_t i = 0; i < count; ++i)
                if (!walk.Feed(block.GetTime(i), block.GetValue(i))) return false;
        }
        if (b + 1 < blocks.size() && !walk.Feed(RecordTime(block.GetTime(count - 1), 1, 1), BREAK_VALUE)) return false;
    }
    return walk.Finish();
}

template <class Calc>
bool Thin(const RawDataList& blocks, const ThinDataPrm& prm, int64_t chInterval, ThinOutput& out)
{
    ThinWalk<Calc> walk(prm, chInterval, out);
    return WalkBlocks(blocks, walk);
}

}  // namespace

ThinDataResult ThinData(const ICh& source, const ThinDataPrm& prm)
{
    if (prm.windowLength <= 0 || !CreateThinDataCalculator(prm.method))
        return {{kBadBlock, kBadParameter, kWhere}, nullptr};

    // An editable channel lends its blocks; any other hands out its list.
    const auto* editable = dynamic_cast<const GCh*>(&source);
    const RawDataList copied = editable ? RawDataList() : source.GetRawData();
    const RawDataList& blocks = editable ? editable->RawDataBlocks() : copied;

    ThinOutput out(source.GetChType(), prm.windowLength);
    const int64_t interval = source.GetInterval();
    bool fits = false;
    switch (prm.method) {
    case 0: fits = Thin<ThinDataCalcSmp>(blocks, prm, interval, out); break;
    case 1: fits = Thin<ThinDataCalcMin>(blocks, prm, interval, out); break;
    case 2: fits = Thin<ThinDataCalcMax>(blocks, prm, interval, out); break;
    case 3: fits = Thin<ThinDataCalcSum>(blocks, prm, interval, out); break;
    default: fits = Thin<ThinDataCalcAve>(blocks, prm, interval, out); break;
    }
    if (!fits) return {{kBadBlock, kTooManyWindows, kWhere}, nullptr};

    auto channel = GCh::WithAttributesOf(source);
    channel->SetInterval(prm.windowLength);
    channel->SetRawData(out.Take());
    return {{}, std::move(channel)};
}

}  // namespace OvGraphFileLib
