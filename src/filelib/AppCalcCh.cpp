#include "filelib/AppCalcCh.h"

#include <cmath>

#include "Common/Library/OvChTypeFormat.h"
#include "filelib/GChDataIterator.h"
#include "filelib/RawDataInvalidInterval.h"
#include "filelib/Stuff.h"

namespace OvGraphFileLib {
namespace {
constexpr const char* kSave = "OvGraphFileLib::AppCalcCh::SaveImpl";
constexpr const char* kLoad = "OvGraphFileLib::AppCalcCh::LoadImpl";
constexpr int kPairSize = 16;

// Seconds as a double to whole milliseconds, rounded to the nearest.
int64_t SecondsToMs(double seconds) { return orvel::detail::FloorToInt64(seconds * 1000.0 + 0.5); }
}  // namespace

void AppCalcCh::SaveImpl(std::ostream& out) const
{
    using namespace Stuff;
    WriteBinary(out, m_serialNo, 9040, kSave);
    WriteText(out, m_chName, 9041, kSave);
    WriteBinary(out, uint16_t(m_chType), 9042, kSave);
    WriteBinary(out, int8_t(m_decimalPlaces), 9043, kSave);
    WriteBinary(out, m_upperLimit, 9044, kSave);
    WriteBinary(out, m_lowerLimit, 9045, kSave);
    WriteBinary(out, m_keptValue1, 9046, kSave);
    WriteBinary(out, m_keptValue2, 9047, kSave);
    WriteText(out, m_keptText, 9048, kSave);
    WriteText(out, m_auxText, 9049, kSave);
    int32_t records = 0;
    for (auto it = GChDataIterator::Begin(m_rawData); it != GChDataIterator::End(m_rawData); ++it)
        if ((*it).value != BREAK_VALUE) ++records;
    WriteBinary(out, records, 9050, kSave);
    for (auto it = GChDataIterator::Begin(m_rawData); it != GChDataIterator::End(m_rawData); ++it) {
        const ChSample sample = *it;
        if (sample.value == BREAK_VALUE) continue;
        WriteBinary(out, double(sample.time) / 1000.0, 9051, kSave);
        WriteBinary(out, sample.value, 9052, kSave);
    }
}

void AppCalcCh::LoadImpl(std::istream& in)
{
    using namespace Stuff;
    ReadBinary(in, m_serialNo, 9060, kLoad);
    ReadText(in, m_chName, 9061, kLoad);
    m_chType = Read<uint16_t>(in, 9062, kLoad);
    m_decimalPlaces = Read<int8_t>(in, 9063, kLoad);
    ReadBinary(in, m_upperLimit, 9064, kLoad);
    ReadBinary(in, m_lowerLimit, 9065, kLoad);
    ReadBinary(in, m_keptValue1, 9066, kLoad);
    ReadBinary(in, m_keptValue2, 9067, kLoad);
    ReadText(in, m_keptText, 9068, kLoad);
    ReadText(in, m_auxText, 9069, kLoad);
    const int32_t records = Read<int32_t>(in, 9070, kLoad);
    if (records < 0) ThrowResult(kBrokenFile, 9070, kLoad);
    const int64_t remaining = RemainingBound(in);
    if (remaining >= 0 && int64_t(records) * kPairSize > remaining) ThrowResult(kReadFailed, 9071, kLoad);

    auto block = std::make_shared<RawDataInvalidInterval>();
    block->SetChType(m_chType);
    for (int32_t i = 0; i < records; ++i) {
        const double seconds = Read<double>(in, 9071, kLoad);
        const double value = Read<double>(in, 9072, kLoad);
        block->Append(SecondsToMs(seconds), value);
    }
    m_interval = NO_INTERVAL;
    m_rawData.clear();
    if (records > 0) m_rawData.push_back(std::move(block));
}

}  // namespace OvGraphFileLib
