#include "filelib/FileKmwChRawData.h"

#include "Common/Library/OvChTypeBase.h"
#include "filelib/ChConstants.h"
#include "filelib/FileKmvChRawData.h"
#include "filelib/Stuff.h"

namespace OvGraphFileLib {

double FileKmwChRawData::GetValue(int32_t index) const
{
    if (!InRange(index) || GetElementSize() < 2) return INVALID_VALUE;
    const uint16_t code = Stuff::LoadU16(Record(index));
    if (GetChType() != 146) return FileKmvChRawData::DecodeCode(GetChType(), code);
    return m_type->IsInvalid(code) ? INVALID_VALUE : m_type->GetDataValue(code);
}

}  // namespace OvGraphFileLib
