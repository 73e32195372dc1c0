#include "filelib/FileKn.h"

#include <algorithm>
#include <limits>

#include "Common/Library/OvChType.h"
#include "Common/Library/OvChTypeBase.h"
#include "filelib/ChConstants.h"
#include "filelib/FileKnCh.h"
#include "filelib/FileKnChRawData.h"
#include "filelib/Stuff.h"

namespace OvGraphFileLib {
namespace {

constexpr int32_t kLocation = 9999;
constexpr uint16_t kVersion = 1;

// The data block has no length of its own: it is whatever follows the header.
std::vector<uint8_t> ReadToEnd(std::istream& in, const char* where)
{
    std::vector<uint8_t> bytes;
    const int64_t remaining = Stuff::RemainingBytes(in);
    if (remaining > 0) bytes.reserve(size_t(remaining));
    char chunk[65536];
    while (in) {
        in.read(chunk, sizeof chunk);
        bytes.insert(bytes.end(), chunk, chunk + in.gcount());
    }
    if (in.bad()) ThrowResult(kReadFailed, kLocation, where);
    return bytes;
}

}  // namespace

void FileKn::LoadImpl(std::istream& in)
{
    const char* where = LoadWhere();
    std::vector<uint8_t> header;
    Stuff::ReadBytes(in, header, FileKnFileHeader::kSize, kLocation, where);
    std::copy_n(header.begin(), m_header.bytes.size(), m_header.bytes.begin());
    std::copy(header.begin() + ptrdiff_t(m_header.bytes.size()), header.end(), m_header.table.bytes.begin());

    if (m_header.Magic() != Magic()) ThrowResult(kUnsupportedFile, kLocation, where);
    if (m_header.Version() > kVersion) ThrowResult(kNewerVersion, kLocation, where);
    const int recorded = m_header.table.RecordedCount();
    if (m_header.Version() == 0 || recorded == 0 || m_header.RecordedInputs() != recorded ||
        m_header.Interval() == 0 || m_header.FirstTime() < 0)
        ThrowResult(kBrokenFile, kLocation, where);

    m_block = ReadToEnd(in, where);
    if (m_block.size() / ScanSize() > size_t(std::numeric_limits<int32_t>::max()))
        ThrowResult(kBrokenFile, kLocation, where);
}

size_t FileKn::ScanSize() const
{
    size_t size = 0;
    for (int input = 0; input < FileKnSettingsTable::kInputs; ++input)
        if (m_header.table.IsRecorded(input)) size += SampleSize(m_header.table.ChType(input));
    return size;
}

ChList FileKn::GetChList() const
{
    const FileKnSettingsTable& table = m_header.table;
    const size_t scanSize = ScanSize();
    const auto scans = int32_t(m_block.size() / scanSize);
    const int64_t interval = m_header.Interval();
    const int64_t first = scans == 0 ? NO_TIME : m_header.FirstTime();
    ChList list;
    size_t offset = 0;  // of the input's sample within a scan
    for (int input = 0; input < FileKnSettingsTable::kInputs; ++input) {
        if (!table.IsRecorded(input)) continue;
        const uint16_t chType = table.ChType(input);
        const uint8_t sampleSize = SampleSize(chType);
        auto block = NewBlock();
        block->SetChType(chType);
        block->SetElementSize(sampleSize);
        block->SetInterval(interval);
        block->SetCount(scans);
        block->SetFirstTime(first);
        block->SetLastTime(ComputeLastTime(first, scans, interval));
        std::vector<uint8_t>& data = block->GetData();
        data.reserve(size_t(scans) * sampleSize);
        for (size_t scan = 0; scan < size_t(scans); ++scan) {
            const auto sample = m_block.begin() + ptrdiff_t(scan * scanSize + offset);
            data.insert(data.end(), sample, sample + sampleSize);
        }
        offset += sampleSize;

        auto channel = NewChannel();
        channel->SetSerialNo(m_header.SerialNo());
        channel->SetLoggerName(m_header.LoggerName());
        const std::u16string name = table.ChName(input);
        const std::string number = std::to_string(input + 1);
        const std::u16string numberText(number.begin(), number.end());
        channel->SetChName(name.empty() ? u"Ch." + numberText : name);
        channel->SetAuxText(numberText);
        channel->SetDecimalPlaces(table.DecimalPlaces(input));
        channel->SetUpperLimit(table.UpperLimit(input));
        channel->SetLowerLimit(table.LowerLimit(input));
        channel->SetTimeDiff(m_header.TimeDiff());
        if (scans > 0) channel->SetRawData({std::move(block)});
        channel->SetChType(chType);
        channel->SetInterval(interval);
        list.push_back(std::move(channel));
    }
    return list;
}

std::string_view FileKn1::Magic() const { return {"QNS-7A\0\0", FileKnFileHeader::kMagicSize}; }
std::shared_ptr<FileKnCh> FileKn1::NewChannel() const { return std::make_shared<FileKn1Ch>(); }
std::shared_ptr<GChRawData> FileKn1::NewBlock() const { return std::make_shared<FileKn1ChRawData>(); }

std::string_view FileKn2::Magic() const { return {"QNS-7BK\0", FileKnFileHeader::kMagicSize}; }
uint8_t FileKn2::SampleSize(uint16_t chType) const { return orvel::detail::OvChTypeOf(chType).GetRawSize() == 4 ? 4 : 2; }
std::shared_ptr<FileKnCh> FileKn2::NewChannel() const { return std::make_shared<FileKn2Ch>(); }
std::shared_ptr<GChRawData> FileKn2::NewBlock() const { return std::make_shared<FileKn2ChRawData>(); }

}  // namespace OvGraphFileLib
