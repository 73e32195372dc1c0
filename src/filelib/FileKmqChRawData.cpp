#include "filelib/FileKmqChRawData.h"

#include "Common/Library/OvChTypeBase.h"
#include "filelib/ChConstants.h"
#include "filelib/Stuff.h"

namespace OvGraphFileLib {

bool FileKmqChRawData::HasRecordTimes(int32_t chType)
{
    switch (chType) {
        case 269: case 329: case 341: case 464: case 465: return true;
        default: return false;
    }
}

uint8_t FileKmqChRawData::RecordSize(int32_t chType)
{
    if (HasRecordTimes(chType)) return 10;
    return chType == 589 || chType == 590 ? 4 : 2;
}

int64_t FileKmqChRawData::GetTime(int32_t index) const
{
    if (!InRange(index)) return NO_TIME;
    if (GetElementSize() == 10) return int64_t(Stuff::LoadU64(Record(index)) * 1000);
    return GChRawData::GetTime(index);
}

double FileKmqChRawData::GetValue(int32_t index) const
{
    if (!InRange(index)) return INVALID_VALUE;
    const uint8_t* record = Record(index);
    switch (GetElementSize()) {
        case 4: {
            // A 32-bit count is unsigned, whatever a signed reading would say.
            const uint32_t count = Stuff::LoadU32(record);
            return m_type->IsInvalid32(count) ? INVALID_VALUE : m_type->RawToValue32(count);
        }
        case 10: record += 8; break;
        case 2: break;
        default: return INVALID_VALUE;
    }
    const uint16_t code = Stuff::LoadU16(record);
    // A type the table does not list decodes plain numbers; only a 32-bit type cannot decode a
    // 16-bit code.
    if (m_type->GetRawSize() > 2 || m_type->IsInvalid(code)) return INVALID_VALUE;
    const double value = m_type->RawToValue(code);
    return GetChType() == 146 ? value / 1000.0 : value;
}

void FileKmqChRawData::DeleteBefore(int64_t time)
{
    if (GetElementSize() == 10)
        DeleteBeforeByRecordTimes(time);
    else
        GChRawData::DeleteBefore(time);
}

void FileKmqChRawData::DeleteAfter(int64_t time)
{
    if (GetElementSize() == 10)
        DeleteAfterByRecordTimes(time);
    else
        GChRawData::DeleteAfter(time);
}

void FileKmqChRawData::ShiftTime(int64_t offset)
{
    if (GetElementSize() != 10) return GChRawData::ShiftTime(offset);
    std::vector<uint8_t>& data = GetData();
    for (int32_t i = 0; i < GetCount(); ++i) {
        uint8_t* record = &data[size_t(i) * 10];
        Stuff::StoreU64(record, Stuff::LoadU64(record) + uint64_t(offset / 1000));
    }
    TimesFromRecords();
}

}  // namespace OvGraphFileLib
