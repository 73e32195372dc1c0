#include "filelib/FileKmvChCumulative.h"

#include "filelib/ChConstants.h"
#include "filelib/FileKmvChCumulativeRawData.h"
#include "filelib/Stuff.h"

namespace OvGraphFileLib {
namespace {
constexpr const char* kSave = "OvGraphFileLib::FileKmvChCumulative::SaveImpl";
constexpr const char* kLoad = "OvGraphFileLib::FileKmvChCumulative::LoadImpl";
}  // namespace

FileKmvChCumulative::FileKmvChCumulative(const FileKmvCh& source)
{
    m_source.Header() = source.Header();
    const FileKmvChHeader& header = source.Header();
    m_records.resize(kRecordSize);
    Stuff::StoreU32(&m_records[0], header.CumulativeFirstField());
    Stuff::StoreU32(&m_records[4], header.FirstSeconds());
    Stuff::StoreU16(&m_records[8], header.CumulativeCode());
}

void FileKmvChCumulative::SaveImpl(std::ostream& out) const
{
    const FileKmvChHeader& header = m_source.Header();
    Stuff::WriteBytes(out, header.bytes.data(), header.bytes.size(), 3320, kSave);
    Stuff::WriteBinary(out, uint32_t(m_records.size() / kRecordSize), 3321, kSave);
    Stuff::WriteBytes(out, m_records.data(), m_records.size(), 3322, kSave);
}

void FileKmvChCumulative::LoadImpl(std::istream& in)
{
    std::vector<uint8_t> header;
    Stuff::ReadBytes(in, header, FileKmvChHeader::kSize, 3330, kLoad);
    std::copy(header.begin(), header.end(), m_source.Header().bytes.begin());
    const uint32_t count = Stuff::Read<uint32_t>(in, 3331, kLoad);
    if (count > uint32_t(INT32_MAX)) ThrowResult(kBrokenFile, 3331, kLoad);
    Stuff::ReadBytes(in, m_records, uint64_t(count) * kRecordSize, 3332, kLoad);
}

std::u16string FileKmvChCumulative::GetChName() const
{
    const uint32_t top = GetSerialNo() >> 28;
    const bool japanese = top == 5 || top == 14;
    if (m_source.GetChType() == 85) return japanese ? u"紫外線量" : u"Cumulative Amount of UV Light";
    return japanese ? u"積算照度" : u"Cumulative Illuminance";
}

uint16_t FileKmvChCumulative::GetChType() const { return m_source.GetChType() == 85 ? 341 : 329; }

double FileKmvChCumulative::GetUpperLimit() const { return NO_UPPER_LIMIT; }
double FileKmvChCumulative::GetLowerLimit() const { return NO_LOWER_LIMIT; }

int64_t FileKmvChCumulative::GetFirstTime() const
{
    return m_records.empty() ? NO_TIME : int64_t(Stuff::LoadU32(&m_records[4])) * 1000;
}

int64_t FileKmvChCumulative::GetLastTime() const
{
    return m_records.empty() ? NO_TIME : int64_t(Stuff::LoadU32(&m_records[m_records.size() - kRecordSize + 4])) * 1000;
}

RawDataList FileKmvChCumulative::GetRawData() const
{
    auto block = std::make_shared<FileKmvChCumulativeRawData>();
    block->SetChType(GetChType());
    block->SetCount(GetDataCount());
    block->GetData() = m_records;
    block->SetFirstTime(GetFirstTime());
    block->SetLastTime(GetLastTime());
    return {block};
}

}  // namespace OvGraphFileLib
