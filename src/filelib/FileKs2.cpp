#include "filelib/FileKs2.h"

#include "filelib/ChConstants.h"
#include "filelib/FileKs2ChRawData.h"
#include "filelib/GCh.h"
#include "filelib/Stuff.h"

namespace OvGraphFileLib {
namespace {
constexpr const char* kLoad = "OvGraphFileLib::FileKs2::LoadImpl";
constexpr size_t kRecordSize = 4;
}  // namespace

void FileKs2::LoadImpl(std::istream& in)
{
    // Header and records are kept only once both have loaded: a failed load keeps nothing.
    m_header = {};
    m_records.clear();
    std::vector<uint8_t> bytes;
    Stuff::ReadBytes(in, bytes, FileKs2Header::kSize, 6100, kLoad);
    FileKs2Header header;
    std::copy(bytes.begin(), bytes.end(), header.bytes.begin());
    if (!header.HasMagic()) ThrowResult(kUnsupportedFile, 6112, kLoad);
    if (header.RecordCount() != header.RecordCountCopy()) ThrowResult(kBrokenFile, 6114, kLoad);
    const uint16_t channels = header.ChannelCount();
    if (channels != header.ChannelCountCopy()) ThrowResult(kBrokenFile, 6115, kLoad);
    if (header.RecordCount() == 0) ThrowResult(kBrokenFile, 6116, kLoad);
    // Our own limit on the channel count comes after the format's checks, so that a header of
    // zero counts is refused where the format refuses it.
    if (channels < 1 || channels > FileKs2Header::kMaxChannels) ThrowResult(kBrokenFile, 6115, kLoad);
    std::vector<uint8_t> records;
    Stuff::ReadBytes(in, records, uint64_t(header.RecordCount()) * kRecordSize, 6101, kLoad);
    m_header = header;
    m_records = std::move(records);
}

ChList FileKs2::GetChList() const
{
    const int channels = m_header.ChannelCount();
    std::vector<std::vector<uint8_t>> codes(static_cast<size_t>(channels));
    for (size_t at = 0; at + kRecordSize <= m_records.size(); at += kRecordSize) {
        const uint8_t channel = m_records[at];
        if (channel < channels) codes[channel].insert(codes[channel].end(), {m_records[at + 2], m_records[at + 3]});
    }
    const int64_t interval = int64_t(m_header.IntervalSeconds()) * 1000;
    const int64_t start = int64_t(m_header.FirstSeconds()) * 1000;
    ChList list;
    for (int c = 0; c < channels; ++c) {
        const int32_t count = int32_t(codes[size_t(c)].size() / 2);
        const int64_t first = count == 0 ? NO_TIME : start;
        const int64_t last = ComputeLastTime(first, count, interval);
        auto block = std::make_shared<FileKs2ChRawData>();
        block->SetChType(m_header.ChType(c));
        block->SetInterval(interval);
        block->SetCount(count);
        block->SetFirstTime(first);
        block->SetLastTime(last);
        block->GetData() = std::move(codes[size_t(c)]);

        auto channel = std::make_shared<GCh>();
        channel->SetSerialNo(m_header.SerialNo());
        channel->SetModel(m_header.Model());
        channel->SetChName(m_header.ChName(c));
        channel->SetChType(m_header.ChType(c));
        channel->SetInterval(interval);
        channel->SetDataCount(count);
        channel->SetFirstTime(first);
        channel->SetLastTime(last);
        channel->AddRawData(std::move(block));
        list.push_back(std::move(channel));
    }
    return list;
}

}  // namespace OvGraphFileLib
