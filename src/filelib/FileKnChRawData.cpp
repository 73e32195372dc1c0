#include "filelib/FileKnChRawData.h"

#include "Common/Library/OvChTypeBase.h"
#include "filelib/ChConstants.h"

namespace OvGraphFileLib {

double FileKn1ChRawData::GetValue(int32_t index) const
{
    if (m_type->GetRawSize() != 2) return INVALID_VALUE;
    return DecodeRecord(index, true);
}

double FileKn2ChRawData::GetValue(int32_t index) const
{
    if (m_type->GetRawSize() != GetElementSize()) return INVALID_VALUE;
    return DecodeRecord(index, true);
}

}  // namespace OvGraphFileLib
