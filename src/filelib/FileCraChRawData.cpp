#include "filelib/FileCraChRawData.h"

#include "filelib/ChConstants.h"
#include "filelib/Stuff.h"
#include "filelib/TimeMath.h"

namespace OvGraphFileLib {

FileCraChRawData::FileCraChRawData()
{
    SetElementSize(kRecordSize);
    SetInterval(NO_INTERVAL);
}

int64_t FileCraChRawData::GetTime(int32_t index) const
{
    if (!InRange(index)) return NO_TIME;
    return RecordTime(0, int64_t(Stuff::LoadU64(Record(index))), 1000);
}

double FileCraChRawData::GetValue(int32_t index) const
{
    if (!InRange(index)) return INVALID_VALUE;
    const double value = Stuff::LoadDouble(Record(index) + 8);
    return IsNoData(value) ? INVALID_VALUE : value;
}

void FileCraChRawData::ShiftTime(int64_t offset)
{
    std::vector<uint8_t>& data = GetData();
    for (int32_t i = 0; i < GetCount(); ++i) {
        uint8_t* record = &data[size_t(i) * kRecordSize];
        Stuff::StoreU64(record, Stuff::LoadU64(record) + uint64_t(offset / 1000));
    }
    TimesFromRecords();
}

}  // namespace OvGraphFileLib
