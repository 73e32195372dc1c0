#include "filelib/FileKmwCh.h"

#include "filelib/ChConstants.h"
#include "filelib/FileKmvCh.h"
#include "filelib/FileKmwChRawData.h"
#include "filelib/Stuff.h"

namespace OvGraphFileLib {
namespace {
constexpr const char* kSave = "OvGraphFileLib::FileKmwCh::SaveImpl";
constexpr const char* kLoad = "OvGraphFileLib::FileKmwCh::LoadImpl";
}  // namespace

void FileKmwCh::SaveImpl(std::ostream& out) const { m_record.Save(out, kSave); }

void FileKmwCh::LoadImpl(std::istream& in) { m_record.Load(in, kLoad); }

uint16_t FileKmwCh::GetChType() const
{
    switch (const uint8_t type = m_record.header.TypeByte()) {
        case 13: case 14: return type;
        case 208: case 209: return 209;
        case 224: return 146;
        default: return 0;
    }
}

double FileKmwCh::GetUpperLimit() const { return NO_UPPER_LIMIT; }
double FileKmwCh::GetLowerLimit() const { return NO_LOWER_LIMIT; }
int64_t FileKmwCh::GetTimeDiff() const { return NOT_GIVEN; }
int64_t FileKmwCh::GetStdBias() const { return NOT_GIVEN; }
int64_t FileKmwCh::GetDstBias() const { return NOT_GIVEN; }

int64_t FileKmwCh::GetFirstTime() const
{
    return m_record.header.RecordCount() == 0 ? NO_TIME : int64_t(m_record.header.FirstSeconds()) * 1000;
}

int64_t FileKmwCh::GetLastTime() const
{
    return ComputeLastTime(GetFirstTime(), m_record.header.RecordCount(), GetInterval());
}

RawDataList FileKmwCh::GetRawData() const
{
    auto block = std::make_shared<FileKmwChRawData>();
    block->SetChType(GetChType());
    block->SetInterval(GetInterval());
    block->SetCount(int32_t(m_record.samples.size() / 2));
    block->SetFirstTime(GetFirstTime());
    block->SetLastTime(GetLastTime());
    block->SetData(m_record.samples);
    return {block};
}

}  // namespace OvGraphFileLib
