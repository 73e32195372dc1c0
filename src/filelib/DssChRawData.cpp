#include "filelib/DssChRawData.h"

#include "Common/Library/OvChType.h"
#include "Common/Library/OvChTypeBase.h"
#include "filelib/ChConstants.h"
#include "filelib/Stuff.h"

namespace OvGraphFileLib {
namespace {
constexpr uint8_t kTimeBytes = 8;
}  // namespace

bool DssChRawData::HasRecordTimes(int32_t chType)
{
    switch (chType) {
        case 329:
        case 341:
        case 589:
        case 590:
            return true;
        default:
            return false;
    }
}

uint8_t DssChRawData::RecordSize(int32_t chType)
{
    const uint8_t code = orvel::detail::OvChTypeOf(uint16_t(chType)).GetRawSize() == 4 ? 4 : 2;
    return HasRecordTimes(chType) ? uint8_t(kTimeBytes + code) : code;
}

int64_t DssChRawData::GetTime(int32_t index) const
{
    if (!InRange(index)) return NO_TIME;
    // Seconds as stored; the product wraps rather than overflowing, whatever the record claims.
    if (HasRecordTimes(GetChType())) return int64_t(Stuff::LoadU64(Record(index)) * 1000u);
    return GChRawData::GetTime(index);
}

double DssChRawData::GetValue(int32_t index) const
{
    if (!InRange(index) || GetElementSize() != RecordSize(GetChType())) return INVALID_VALUE;
    const uint8_t* record = Record(index) + (HasRecordTimes(GetChType()) ? kTimeBytes : 0);
    const bool wide = m_type->GetRawSize() == 4;
    const uint32_t raw = wide ? Stuff::LoadU32(record) : Stuff::LoadU16(record);
    if (m_type->IsInvalid32(raw)) return INVALID_VALUE;
    const double value = m_type->RawToValue32(raw);
    return GetChType() == 146 ? value / 1000.0 : value;
}

void DssChRawData::DeleteBefore(int64_t time)
{
    if (HasRecordTimes(GetChType()))
        DeleteBeforeByRecordTimes(time);
    else
        GChRawData::DeleteBefore(time);
}

void DssChRawData::DeleteAfter(int64_t time)
{
    if (HasRecordTimes(GetChType()))
        DeleteAfterByRecordTimes(time);
    else
        GChRawData::DeleteAfter(time);
}

void DssChRawData::ShiftTime(int64_t offset)
{
    if (!HasRecordTimes(GetChType()) || GetElementSize() != RecordSize(GetChType()))
        return GChRawData::ShiftTime(offset);
    std::vector<uint8_t>& data = GetData();
    for (int32_t i = 0; i < GetCount(); ++i) {
        uint8_t* record = &data[size_t(i) * GetElementSize()];
        Stuff::StoreU64(record, Stuff::LoadU64(record) + uint64_t(offset / 1000));
    }
    TimesFromRecords();
}

}  // namespace OvGraphFileLib
