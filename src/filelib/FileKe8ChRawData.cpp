#include "filelib/FileKe8ChRawData.h"

#include "Common/Library/OvChType.h"
#include "filelib/ChConstants.h"
#include "filelib/CodeValueTable.h"
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

double FileKe8ChRawData::DecodeCode(int32_t chType, uint16_t code)
{
    const orvel::detail::OvChTypeBase& type = orvel::detail::OvChTypeOf(uint16_t(chType));
    if (type.GetRawSize() > 2 || type.IsInvalid(code)) return INVALID_VALUE;
    return type.GetDataValue(code);
}

double FileKe8ChRawData::GetValue(int32_t index) const
{
    if (!InRange(index)) return INVALID_VALUE;
    double value;
    GetValues(index, 1, &value);
    return value;
}

void FileKe8ChRawData::GetValues(int32_t first, int32_t count, double* out) const
{
    LookUpCodes(CodeValueTable<DecodeCode>(uint16_t(GetChType())), first, count, out);
    for (int32_t k = 0; k < count; ++k)
        if (out[k] != INVALID_VALUE) out[k] = out[k] * m_scaleFactor + m_scaleOffset;
}

}  // namespace OvGraphFileLib
