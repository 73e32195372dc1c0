#include "filelib/FileKmvChRawData.h"

#include "Common/Library/OvChType.h"
#include "filelib/ChConstants.h"
#include "filelib/CodeValueTable.h"
#include "filelib/Stuff.h"

namespace OvGraphFileLib {

double FileKmvChRawData::DecodeCode(int32_t chType, uint16_t code)
{
    const orvel::detail::OvChTypeBase& type = orvel::detail::OvChTypeOf(uint16_t(chType));
    switch (chType) {
        case 13:
            if (code >= 31037 && code <= 32766) return type.GetDataValue(uint16_t(code - 32767));
            if (type.IsInvalid(code) || code == 0xFFFF || code > type.GetMaxRaw()) return INVALID_VALUE;
            break;
        case 85:
            if (type.IsInvalid(code) || code > 39399) return INVALID_VALUE;
            break;
        default:
            // An unknown type byte reads as plain numbers (type 0); only a 32-bit type cannot
            // decode a 16-bit code.
            if (type.GetRawSize() > 2 || type.IsInvalid(code) || code > type.GetMaxRaw())
                return INVALID_VALUE;
    }
    return type.GetDataValue(code);
}

double FileKmvChRawData::GetValue(int32_t index) const
{
    if (!InRange(index) || GetElementSize() < 2) return INVALID_VALUE;
    return CodeValueTable<DecodeCode>(uint16_t(GetChType()))[Stuff::LoadU16(Record(index))];
}

void FileKmvChRawData::GetValues(int32_t first, int32_t count, double* out) const
{
    LookUpCodes(CodeValueTable<DecodeCode>(uint16_t(GetChType())), first, count, out);
}

}  // namespace OvGraphFileLib
