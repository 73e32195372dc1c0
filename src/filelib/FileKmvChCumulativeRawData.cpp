#include "filelib/FileKmvChCumulativeRawData.h"

#include <limits>

#include "Common/Library/OvChTypeBase.h"
#include "filelib/ChConstants.h"
#include "filelib/Stuff.h"

namespace OvGraphFileLib {

FileKmvChCumulativeRawData::FileKmvChCumulativeRawData()
{
    SetElementSize(kRecordSize);
    SetInterval(NO_INTERVAL);
}

int64_t FileKmvChCumulativeRawData::GetTime(int32_t index) const
{
    if (!InRange(index)) return NO_TIME;
    return int64_t(Stuff::LoadU32(Record(index) + 4)) * 1000;
}

double FileKmvChCumulativeRawData::GetValue(int32_t index) const
{
    if (!InRange(index)) return INVALID_VALUE;
    const uint16_t code = Stuff::LoadU16(Record(index) + 8);
    if (m_type->GetRawSize() != 2 || m_type->IsInvalid(code)) return INVALID_VALUE;
    return m_type->RawToValue(code);
}

void FileKmvChCumulativeRawData::DeleteBefore(int64_t time)
{
    DeleteBeforeByRecordTimes(time);
}

void FileKmvChCumulativeRawData::DeleteAfter(int64_t time)
{
    DeleteAfterByRecordTimes(time);
}

void FileKmvChCumulativeRawData::ShiftTime(int64_t offset)
{
    const uint32_t seconds = uint32_t(offset / 1000);
    std::vector<uint8_t>& data = GetData();
    for (int32_t i = 0; i < GetCount(); ++i) {
        uint8_t* record = &data[size_t(i) * kRecordSize];
        Stuff::StoreU32(record + 4, Stuff::LoadU32(record + 4) + seconds);
    }
    TimesFromRecords();
}

}  // namespace OvGraphFileLib
