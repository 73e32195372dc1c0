#include "filelib/FileKe8Ch.h"

#include <algorithm>
#include <limits>

#include "filelib/ChConstants.h"
#include "filelib/FileKmvChRecord.h"
#include "filelib/FileKe8ChRawData.h"
#include "filelib/Stuff.h"

namespace OvGraphFileLib {
namespace {
constexpr const char* kSave = "OvGraphFileLib::FileKe8Ch::SaveImpl";
constexpr const char* kLoad = "OvGraphFileLib::FileKe8Ch::LoadImpl";

// Decimal places that depend on the scale conversion: 3 with one, 0 without.
constexpr int8_t kScaled = -2;

struct KindEntry {
    uint8_t kind;
    uint16_t chType;
    int8_t decimals;  // kScaled: 3 with a scale conversion, else 0
};

// Channel kind (header byte 229) -> channel type and decimal places; other kinds: type 0, 1 place.
constexpr KindEntry kKinds[] = {
    {0, 384, 3},         {1, 384, 3},  {2, 352, kScaled}, {3, 352, kScaled},   {5, 13, 1},
    {6, 209, 1},         {7, 416, 1},  {10, 129, 2},      {11, 146, 4},        {12, 78, kScaled},
    {13, 77, kScaled},   {26, 65, 1},  {27, 1002, 1},     {28, 1003, 1},       {29, 1001, kScaled},
    {30, 73, 2},         {31, 85, 3},  {32, 66, 0},
};
constexpr KindEntry kOtherKind{0, 0, 1};

const KindEntry& EntryOf(uint8_t kind)
{
    const auto found = std::find_if(std::begin(kKinds), std::end(kKinds),
                                    [kind](const KindEntry& entry) { return entry.kind == kind; });
    return found == std::end(kKinds) ? kOtherKind : *found;
}

// A code from 0xF001 to 0xFFEF stands for (code AND 0x0FFF) records.
bool IsRun(uint16_t code) { return code >= 0xF001 && code <= 0xFFEF; }
}  // namespace

void FileKe8Ch::SaveImpl(std::ostream& out) const
{
    Stuff::WriteBytes(out, m_header.bytes.data(), m_header.bytes.size(), 2200, kSave);
    Stuff::WriteBytes(out, m_samples.data(), m_samples.size(), 2201, kSave);
    Stuff::WriteBytes(out, m_padding.data(), m_padding.size(), 2202, kSave);
}

void FileKe8Ch::LoadImpl(std::istream& in)
{
    std::vector<uint8_t> header;
    Stuff::ReadBytes(in, header, FileKe8ChHeader::kSize, 2210, kLoad);
    std::copy(header.begin(), header.end(), m_header.bytes.begin());
    const uint64_t sampleBytes = uint64_t(m_header.StoredCount()) * 2;
    Stuff::ReadBytes(in, m_samples, sampleBytes, 2310, kLoad);
    // Run codes expand up to 4,079 records each: a cap keeps a small hostile file from asking
    // for gigabytes. No logger records more than this in one channel.
    constexpr uint64_t kMaxRecords = 100'000'000;
    const uint64_t records = CountRecords();
    if (records > kMaxRecords) ThrowResult(kBrokenFile, 2310, kLoad);
    m_dataCount = int32_t(records);
    Stuff::ReadBytes(in, m_padding, FileKmvChRecord::PaddingFor(sampleBytes), 2311, kLoad);
}

bool FileKe8Ch::StoresRuns() const
{
    const uint8_t kind = m_header.Kind();
    return kind >= 27 && kind <= 29;
}

uint64_t FileKe8Ch::CountRecords() const
{
    const uint64_t stored = m_samples.size() / 2;
    if (!StoresRuns()) return stored;
    uint64_t records = 0;
    for (size_t i = 0; i + 1 < m_samples.size(); i += 2) {
        const uint16_t code = Stuff::LoadU16(&m_samples[i]);
        records += IsRun(code) ? (code & 0x0FFF) : 1;
    }
    return records;
}

int64_t FileKe8Ch::GetInterval() const
{
    const int64_t field = m_header.IntervalField();
    return m_header.IntervalInMilliseconds() ? field : field * 1000;
}

uint16_t FileKe8Ch::GetChType() const { return EntryOf(m_header.Kind()).chType; }

int8_t FileKe8Ch::GetDecimalPlaces() const
{
    const int8_t decimals = EntryOf(m_header.Kind()).decimals;
    if (decimals != kScaled) return decimals;
    return m_header.HasScaleConversion() ? 3 : 0;
}

double FileKe8Ch::GetUpperLimit() const { return NO_UPPER_LIMIT; }
double FileKe8Ch::GetLowerLimit() const { return NO_LOWER_LIMIT; }
int64_t FileKe8Ch::GetTimeDiff() const { return NOT_GIVEN; }
int64_t FileKe8Ch::GetStdBias() const { return NOT_GIVEN; }
int64_t FileKe8Ch::GetDstBias() const { return NOT_GIVEN; }

int64_t FileKe8Ch::GetFirstTime() const
{
    if (m_samples.empty()) return NO_TIME;
    return (m_header.StartSeconds() + int64_t(m_header.OffsetSeconds())) * 1000;
}

int64_t FileKe8Ch::GetLastTime() const { return ComputeLastTime(GetFirstTime(), m_dataCount, GetInterval()); }

RawDataList FileKe8Ch::GetRawData() const
{
    auto block = std::make_shared<FileKe8ChRawData>();
    block->SetChType(GetChType());
    block->SetInterval(GetInterval());
    block->SetCount(m_dataCount);
    block->SetFirstTime(GetFirstTime());
    block->SetLastTime(GetLastTime());
    block->SetScale(m_header.ScaleFactor(), m_header.ScaleOffset());
    if (!StoresRuns()) {
        block->GetData() = m_samples;
        return {block};
    }
    std::vector<uint8_t>& data = block->GetData();
    data.reserve(size_t(m_dataCount) * 2);
    for (size_t i = 0; i + 1 < m_samples.size(); i += 2) {
        const uint16_t code = Stuff::LoadU16(&m_samples[i]);
        if (IsRun(code))
            data.resize(data.size() + size_t(code & 0x0FFF) * 2, 0);
        else
            data.insert(data.end(), {m_samples[i], m_samples[i + 1]});
    }
    return {block};
}

}  // namespace OvGraphFileLib
