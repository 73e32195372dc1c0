#include "filelib/FileKs3Ch.h"

#include <charconv>
#include <string_view>

#include "filelib/ChConstants.h"
#include "filelib/FileKmvChRecord.h"
#include "filelib/GChRawData.h"
#include "filelib/Stuff.h"
#include "filelib/TextCodec.h"

namespace OvGraphFileLib {
namespace {

constexpr const char* kSave = "OvGraphFileLib::FileKs3Ch::SaveImpl";
constexpr const char* kLoad = "OvGraphFileLib::FileKs3Ch::LoadImpl";

// "%f": six decimals with a point, whatever the process locale.
std::u16string Fixed6(double value)
{
    char buffer[512];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    return error == std::errc() ? TextCodec::FromUtf8(std::string_view(buffer, size_t(end - buffer))) : u"0.000000";
}

}  // namespace

void FileKs3Ch::SaveImpl(std::ostream& out) const
{
    Stuff::WriteBytes(out, m_header.bytes.data(), m_header.bytes.size(), 4100, kSave);
    Stuff::WriteBytes(out, m_samples.data(), m_samples.size(), 4101, kSave);
    Stuff::WriteBytes(out, m_padding.data(), m_padding.size(), 4102, kSave);
}

void FileKs3Ch::LoadImpl(std::istream& in)
{
    std::vector<uint8_t> header;
    Stuff::ReadBytes(in, header, FileKe8ChHeader::kSize, 4110, kLoad);
    std::copy(header.begin(), header.end(), m_header.bytes.begin());
    const uint64_t sampleBytes = uint64_t(m_header.StoredCount()) * 2;
    Stuff::ReadBytes(in, m_samples, sampleBytes, 4111, kLoad);
    // Only a file of 4 GiB and more gets here with a count beyond the channel's 32-bit data count.
    if (sampleBytes / 2 > uint64_t(INT32_MAX)) ThrowResult(kBrokenFile, 4111, kLoad);
    Stuff::ReadBytes(in, m_padding, FileKmvChRecord::PaddingFor(sampleBytes), 4112, kLoad);
}

int64_t FileKs3Ch::GetInterval() const
{
    switch (m_header.bytes[53]) {
        case 0: return int64_t(m_header.IntervalField()) * 1000;
        case 1: return int64_t(m_header.IntervalField());
        default: return NO_INTERVAL;
    }
}

double FileKs3Ch::GetUpperLimit() const { return NO_UPPER_LIMIT; }
double FileKs3Ch::GetLowerLimit() const { return NO_LOWER_LIMIT; }
int64_t FileKs3Ch::GetTimeDiff() const { return NOT_GIVEN; }

int64_t FileKs3Ch::GetFirstTime() const
{
    if (m_samples.empty()) return NO_TIME;
    return (m_header.StartSeconds() + int64_t(m_header.OffsetSeconds())) * 1000;
}

int64_t FileKs3Ch::GetLastTime() const { return ComputeLastTime(GetFirstTime(), GetDataCount(), GetInterval()); }

std::u16string FileKs3Ch::GetUnit() const
{
    return TextCodec::FromCp932(&m_header.bytes[192], 16);
}

std::u16string FileKs3Ch::GetScaleExpr() const
{
    const double factor = Stuff::LoadDouble(&m_header.bytes[176]);
    const double offset = Stuff::LoadDouble(&m_header.bytes[184]);
    if (factor == 0 && offset == 0) return u"\n\n\n\n";
    const int decimals = GetDecimalPlaces() < 0 ? 0 : GetDecimalPlaces();
    return Fixed6(factor) + u"\n" + Fixed6(offset) + u"\n" + TextCodec::FromUtf8(std::to_string(decimals)) + u"\n" +
           GetUnit() + u"\n";
}

RawDataList FileKs3Ch::GetRawData() const
{
    auto block = std::make_shared<GChRawData>();
    block->SetChType(kChType);
    block->SetInterval(GetInterval());
    block->SetCount(GetDataCount());
    block->GetData() = m_samples;
    block->SetFirstTime(GetFirstTime());
    block->SetLastTime(GetLastTime());
    return {block};
}

}  // namespace OvGraphFileLib
