#include "filelib/RawDataInvalidInterval.h"

#include "filelib/ChConstants.h"
#include "filelib/Stuff.h"
#include "filelib/TimeMath.h"

namespace OvGraphFileLib {

RawDataInvalidInterval::RawDataInvalidInterval()
{
    SetElementSize(16);
    SetInterval(NO_INTERVAL);
}

void RawDataInvalidInterval::Append(int64_t time, double value)
{
    std::vector<uint8_t>& data = GetData();
    const size_t at = data.size();
    data.resize(at + 16);
    Stuff::StoreU64(&data[at], uint64_t(time));
    Stuff::StoreDouble(&data[at + 8], value);
    if (GetCount() == 0) SetFirstTime(time);
    SetLastTime(time);
    SetCount(GetCount() + 1);
}

std::shared_ptr<GChRawData> RawDataInvalidInterval::Clone() const
{
    return std::make_shared<RawDataInvalidInterval>(*this);
}

int64_t RawDataInvalidInterval::GetTime(int32_t index) const
{
    if (!InRange(index)) return NO_TIME;
    return int64_t(Stuff::LoadU64(Record(index)));
}

double RawDataInvalidInterval::GetValue(int32_t index) const
{
    if (!InRange(index)) return INVALID_VALUE;
    return Stuff::LoadDouble(Record(index) + 8);
}

void RawDataInvalidInterval::DeleteBefore(int64_t time)
{
    DeleteBeforeByRecordTimes(time);
}

void RawDataInvalidInterval::DeleteAfter(int64_t time)
{
    DeleteAfterByRecordTimes(time);
}

void RawDataInvalidInterval::ShiftTime(int64_t offset)
{
    std::vector<uint8_t>& data = GetData();
    for (int32_t i = 0; i < GetCount(); ++i) {
        uint8_t* record = &data[size_t(i) * 16];
        Stuff::StoreU64(record, uint64_t(RecordTime(int64_t(Stuff::LoadU64(record)), offset, 1)));
    }
    GChRawData::ShiftTime(offset);
}

}  // namespace OvGraphFileLib
