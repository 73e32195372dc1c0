#include "filelib/FileKmvCh.h"

#include "Common/Library/OvChType.h"
#include "filelib/ChConstants.h"
#include "filelib/FileKmvChRawData.h"
#include "filelib/Stuff.h"

namespace OvGraphFileLib {
namespace {
constexpr const char* kSave = "OvGraphFileLib::FileKmvCh::SaveImpl";
constexpr const char* kLoad = "OvGraphFileLib::FileKmvCh::LoadImpl";
constexpr int64_t kMinute = 60000;
}  // namespace

void FileKmvCh::SaveImpl(std::ostream& out) const { m_record.Save(out, kSave); }

void FileKmvCh::LoadImpl(std::istream& in) { m_record.Load(in, kLoad); }

uint32_t FileKmvCh::GetSerialNo() const { return m_record.header.HasSerialNo() ? m_record.header.SerialNo() : 0; }

uint16_t FileKmvCh::GetChType() const
{
    switch (const uint8_t type = m_record.header.TypeByte()) {
        case 13: case 14: case 65: case 67: case 73: case 85: return type;
        case 208: case 209: return 209;  // humidity is always shown in tenths
        default: return 0;
    }
}

int8_t FileKmvCh::GetDecimalPlaces() const
{
    switch (GetChType()) {
        case 67: case 73: return 2;
        case 85: return 3;
        default: return 1;
    }
}

double FileKmvCh::LimitFromCode(uint16_t code, bool upper) const
{
    const double none = upper ? NO_UPPER_LIMIT : NO_LOWER_LIMIT;
    switch (m_record.header.LimitKind()) {
        case 'C': case 'F': case 'H':
            return code == 0x8000 ? none : int16_t(code) / 10.0;
        case 'I':
            return code == 0xFFFE ? none : orvel::detail::OvChTypeOf(73).RawToValue(code);
        case 'U':
            return code == 0xFFFE ? none : orvel::detail::OvChTypeOf(85).RawToValue(code);
        default:
            return none;
    }
}

double FileKmvCh::GetUpperLimit() const { return LimitFromCode(m_record.header.UpperLimitCode(), true); }
double FileKmvCh::GetLowerLimit() const { return LimitFromCode(m_record.header.LowerLimitCode(), false); }

int64_t FileKmvCh::GetFirstTime() const
{
    return m_record.header.RecordCount() == 0 ? NO_TIME : int64_t(m_record.header.FirstSeconds()) * 1000;
}

int64_t FileKmvCh::GetLastTime() const
{
    return ComputeLastTime(GetFirstTime(), m_record.header.RecordCount(), GetInterval());
}

// The header holds minutes of UTC minus local time; channels hold local minus UTC in ms.
int64_t FileKmvCh::GetTimeDiff() const
{
    return m_record.header.HasTimeZone() ? m_record.header.TimeDiffMinutes() * -kMinute : NOT_GIVEN;
}
int64_t FileKmvCh::GetStdBias() const { return m_record.header.HasTimeZone() ? m_record.header.StdBiasMinutes() * -kMinute : NOT_GIVEN; }
int64_t FileKmvCh::GetDstBias() const { return m_record.header.HasTimeZone() ? m_record.header.DstBiasMinutes() * -kMinute : NOT_GIVEN; }

RawDataList FileKmvCh::GetRawData() const
{
    auto block = std::make_shared<FileKmvChRawData>();
    block->SetChType(GetChType());
    block->SetInterval(GetInterval());
    block->SetCount(int32_t(m_record.samples.size() / 2));
    block->SetFirstTime(GetFirstTime());
    block->SetLastTime(GetLastTime());
    block->SetData(m_record.samples);
    return {block};
}

}  // namespace OvGraphFileLib
