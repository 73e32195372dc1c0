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

void FileKmwCh::SaveImpl(std::ostream& out) const
{
    Stuff::WriteBytes(out, m_header.bytes.data(), m_header.bytes.size(), 3300, kSave);
    Stuff::WriteBytes(out, m_samples.data(), m_samples.size(), 3301, kSave);
    Stuff::WriteBytes(out, m_padding.data(), m_padding.size(), 3302, kSave);
}

void FileKmwCh::LoadImpl(std::istream& in)
{
    std::vector<uint8_t> header;
    Stuff::ReadBytes(in, header, FileKmvChHeader::kSize, 3310, kLoad);
    std::copy(header.begin(), header.end(), m_header.bytes.begin());
    const uint64_t sampleBytes = uint64_t(m_header.RecordCount()) * 2;
    Stuff::ReadBytes(in, m_samples, sampleBytes, 3311, kLoad);
    Stuff::ReadBytes(in, m_padding, FileKmvCh::PaddingFor(sampleBytes), 3312, kLoad);
}

uint16_t FileKmwCh::GetChType() const
{
    switch (const uint8_t type = m_header.TypeByte()) {
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
    return m_header.RecordCount() == 0 ? NO_TIME : int64_t(m_header.FirstSeconds()) * 1000;
}

int64_t FileKmwCh::GetLastTime() const
{
    return ComputeLastTime(GetFirstTime(), m_header.RecordCount(), GetInterval());
}

RawDataList FileKmwCh::GetRawData() const
{
    auto block = std::make_shared<FileKmwChRawData>();
    block->SetChType(GetChType());
    block->SetInterval(GetInterval());
    block->SetCount(int32_t(m_samples.size() / 2));
    block->SetFirstTime(GetFirstTime());
    block->SetLastTime(GetLastTime());
    block->GetData() = m_samples;
    return {block};
}

}  // namespace OvGraphFileLib
