#include "filelib/FileKn.h"

#include <algorithm>
#include <cstring>
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

}  // namespace

void FileKn::LoadImpl(std::istream& in)
{
    // A failed load leaves nothing behind: the header and block are kept only when all is read.
    const char* where = LoadWhere();
    m_header = {};
    m_block = {};
    std::vector<uint8_t> bytes;
    Stuff::ReadBytes(in, bytes, FileKnFileHeader::kSize, kLocation, where);
    FileKnFileHeader header;
    std::copy_n(bytes.begin(), header.bytes.size(), header.bytes.begin());
    std::copy(bytes.begin() + ptrdiff_t(header.bytes.size()), bytes.end(), header.table.bytes.begin());

    if (header.Magic() != Magic()) ThrowResult(kUnsupportedFile, kLocation, where);
    if (header.Version() > kVersion) ThrowResult(kNewerVersion, kLocation, where);
    const int recorded = header.table.RecordedCount();
    if (header.Version() == 0 || recorded == 0 || header.RecordedInputs() != recorded || header.Interval() == 0 ||
        header.FirstTime() < 0)
        ThrowResult(kBrokenFile, kLocation, where);

    // Refused before reading when the stream can tell its length, and again after reading.
    const int64_t remaining = Stuff::RemainingBytes(in);
    if (remaining > 0 && !FitsScans(header, size_t(remaining))) ThrowResult(kBrokenFile, kLocation, where);
    FileKnBlock block;
    block.Read(in, kLocation, where);
    if (!FitsScans(header, block.bytes.size())) ThrowResult(kBrokenFile, kLocation, where);
    m_header = header;
    m_block = std::move(block);
}

// The scans of a data block of that size: at most 2^31 - 1, and the last one's time within 64 bits.
bool FileKn::FitsScans(const FileKnFileHeader& header, size_t blockSize) const
{
    __extension__ using Wide = __int128;
    const size_t scans = blockSize / ScanSize(header);
    if (scans > size_t(std::numeric_limits<int32_t>::max())) return false;
    const Wide last = Wide(header.FirstTime()) + Wide(header.Interval()) * Wide(scans == 0 ? 0 : scans - 1);
    return last <= std::numeric_limits<int64_t>::max();
}

size_t FileKn::ScanSize(const FileKnFileHeader& header) const
{
    size_t size = 0;
    for (int input = 0; input < FileKnSettingsTable::kInputs; ++input)
        if (header.table.IsRecorded(input)) size += SampleSize(header.table.ChType(input));
    return size;
}

std::vector<uint8_t> FileKn::InputSamples(size_t offset, uint8_t sampleSize, size_t scanSize) const
{
    const size_t scans = m_block.bytes.size() / scanSize;
    std::vector<uint8_t> samples(scans * sampleSize);
    if (samples.empty()) return samples;
    const uint8_t* scan = m_block.bytes.data() + offset;
    for (uint8_t* sample = samples.data(); sample != samples.data() + samples.size(); sample += sampleSize, scan += scanSize)
        std::memcpy(sample, scan, sampleSize);
    return samples;
}

ChList FileKn::GetChList() const
{
    const FileKnSettingsTable& table = m_header.table;
    const size_t scanSize = ScanSize(m_header);
    if (scanSize == 0) return {};  // nothing loaded
    const auto scans = int32_t(m_block.bytes.size() / scanSize);
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
        block->GetData() = InputSamples(offset, sampleSize, scanSize);
        offset += sampleSize;

        auto channel = NewChannel();
        channel->SetSerialNo(m_header.SerialNo());
        channel->SetLoggerName(m_header.LoggerName());
        const std::u16string name = table.ChName(input);
        const std::string number = std::to_string(input + 1);
        const std::u16string numberText(number.begin(), number.end());
        channel->SetChName(name.empty() ? u"Ch." + numberText : name);
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
