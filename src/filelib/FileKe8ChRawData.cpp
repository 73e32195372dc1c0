#include "filelib/FileKe8ChRawData.h"

#include "Common/Library/OvChTypeBase.h"
#include "filelib/ChConstants.h"
#include "filelib/Stuff.h"

namespace OvGraphFileLib {
namespace {
constexpr const char* kSave = "OvGraphFileLib::FileKe8ChRawData::SaveImpl";
constexpr const char* kLoad = "OvGraphFileLib::FileKe8ChRawData::LoadImpl";
}  // namespace

void FileKe8ChRawData::SaveImpl(std::ostream& out) const
{
    GChRawData::SaveImpl(out);
    Stuff::WriteBinary(out, m_scaleFactor, 2400, kSave);
    Stuff::WriteBinary(out, m_scaleOffset, 2401, kSave);
}

void FileKe8ChRawData::LoadImpl(std::istream& in)
{
    GChRawData::LoadImpl(in);
    m_scaleFactor = Stuff::Read<double>(in, 2410, kLoad);
    m_scaleOffset = Stuff::Read<double>(in, 2411, kLoad);
}

double FileKe8ChRawData::GetValue(int32_t index) const
{
    if (!InRange(index) || GetElementSize() < 2 || m_type->GetRawSize() > 2) return INVALID_VALUE;
    const uint16_t code = Stuff::LoadU16(Record(index));
    if (m_type->IsInvalid(code)) return INVALID_VALUE;
    return m_type->GetDataValue(code) * m_scaleFactor + m_scaleOffset;
}

}  // namespace OvGraphFileLib
