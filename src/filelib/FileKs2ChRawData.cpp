#include "filelib/FileKs2ChRawData.h"

#include "Common/Library/OvChTypeBase.h"
#include "filelib/ChConstants.h"
#include "filelib/Stuff.h"

namespace OvGraphFileLib {

double FileKs2ChRawData::GetValue(int32_t index) const
{
    if (!InRange(index) || GetElementSize() < 2 || m_type->GetRawSize() > 2) return INVALID_VALUE;
    const uint16_t code = Stuff::LoadU16(Record(index));
    return m_type->IsInvalid(code) ? INVALID_VALUE : m_type->GetDataValue(code);
}

}  // namespace OvGraphFileLib
