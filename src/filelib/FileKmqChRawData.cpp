#include "filelib/FileKmqChRawData.h"

#include "Common/Library/OvChType.h"
#include "Common/Library/OvChTypeBase.h"
#include "filelib/ChConstants.h"
#include "filelib/CodeValueTable.h"
#include "filelib/Stuff.h"

namespace OvGraphFileLib {
namespace {

double DecodeWith(const orvel::detail::OvChTypeBase& type, int32_t chType, uint16_t code)
{
    // A type the table does not list decodes plain numbers; only a 32-bit type cannot decode a
    // 16-bit code.
    if (type.GetRawSize() > 2 || type.IsInvalid(code)) return INVALID_VALUE;
    const double value = type.RawToValue(code);
    return chType == 146 ? value / 1000.0 : value;
}

}  // namespace

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
    return DecodeWith(*m_type, GetChType(), Stuff::LoadU16(record));
}

double FileKmqChRawData::DecodeCode16(int32_t chType, uint16_t code)
{
    return DecodeWith(orvel::detail::OvChTypeOf(uint16_t(chType)), chType, code);
}

void FileKmqChRawData::GetValues(int32_t first, int32_t count, double* out) const
{
    const size_t size = GetElementSize();
    if (size != 2 && size != 10) return GChRawData::GetValues(first, count, out);
    // The table is keyed by the 16-bit type number the decoding itself uses.
    if (GetChType() != int32_t(uint16_t(GetChType()))) return GChRawData::GetValues(first, count, out);
    const double* table = CodeValueTable<DecodeCode16>(uint16_t(GetChType()));
    const uint8_t* code = Record(first) + (size == 10 ? 8 : 0);
    for (int32_t k = 0; k < count; ++k, code += size) out[k] = table[Stuff::LoadU16(code)];
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
