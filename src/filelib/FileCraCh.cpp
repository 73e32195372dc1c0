#include "filelib/FileCraCh.h"

#include <string_view>

#include "filelib/ChConstants.h"
#include "filelib/FileCraChRawData.h"
#include "filelib/Stuff.h"
#include "filelib/TextCodec.h"
#include "filelib/TimeMath.h"

namespace OvGraphFileLib {
namespace {
constexpr const char* kSave = "OvGraphFileLib::FileCraCh::SaveImpl";
constexpr const char* kLoad = "OvGraphFileLib::FileCraCh::LoadImpl";
}  // namespace

uint32_t FileCraCh::HeaderRecordCount() const { return Stuff::LoadU32(&m_header[36]); }

void FileCraCh::SaveImpl(std::ostream& out) const
{
    Stuff::WriteBytes(out, m_header.data(), m_header.size(), 1100, kSave);
    Stuff::WriteBytes(out, m_records.data(), m_records.size(), 1101, kSave);
}

void FileCraCh::LoadImpl(std::istream& in)
{
    std::vector<uint8_t> header;
    Stuff::ReadBytes(in, header, kHeaderSize, 1110, kLoad);
    std::copy(header.begin(), header.end(), m_header.begin());
    Stuff::ReadBytes(in, m_records, uint64_t(HeaderRecordCount()) * kRecordSize, 1111, kLoad);
    Validate(kLoad);
}

void FileCraCh::Validate(const char* where) const
{
    if ((m_header[34] & 0x3) != 0 && !(Stuff::LoadDouble(&m_header[40]) <= Stuff::LoadDouble(&m_header[48])))
        ThrowResult(kBrokenFile, 1120, where);
    if (m_records.size() != uint64_t(HeaderRecordCount()) * kRecordSize || HeaderRecordCount() > uint32_t(INT32_MAX))
        ThrowResult(kBrokenFile, 1121, where);
}

std::u16string FileCraCh::GetChName() const
{
    return TextCodec::FromCp932(m_header.data(), 32);
}

uint16_t FileCraCh::GetChType() const { return Stuff::LoadU16(&m_header[32]); }
uint32_t FileCraCh::GetSerialNo() const { return Stuff::LoadU32(&m_header[56]); }

double FileCraCh::GetUpperLimit() const
{
    return (m_header[34] & 0x1) ? Stuff::LoadDouble(&m_header[48]) : NO_UPPER_LIMIT;
}

double FileCraCh::GetLowerLimit() const
{
    return (m_header[34] & 0x2) ? Stuff::LoadDouble(&m_header[40]) : NO_LOWER_LIMIT;
}

int64_t FileCraCh::GetFirstTime() const
{
    return m_records.empty() ? NO_TIME : RecordTime(0, int64_t(Stuff::LoadU64(&m_records[0])), 1000);
}

int64_t FileCraCh::GetLastTime() const
{
    return m_records.empty() ? NO_TIME
                             : RecordTime(0, int64_t(Stuff::LoadU64(&m_records[m_records.size() - kRecordSize])), 1000);
}

int64_t FileCraCh::GetTimeDiff() const { return int64_t(Stuff::LoadU64(&m_header[64])); }
int64_t FileCraCh::GetStdBias() const { return NOT_GIVEN; }
int64_t FileCraCh::GetDstBias() const { return NOT_GIVEN; }

RawDataList FileCraCh::GetRawData() const
{
    auto block = std::make_shared<FileCraChRawData>();
    block->SetChType(GetChType());
    block->SetCount(GetDataCount());
    block->GetData() = m_records;
    block->SetFirstTime(GetFirstTime());
    block->SetLastTime(GetLastTime());
    return {block};
}

}  // namespace OvGraphFileLib
