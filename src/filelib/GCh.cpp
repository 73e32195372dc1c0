#include "filelib/GCh.h"

#include <algorithm>
#include <limits>

#include "filelib/GChRawData.h"
#include "filelib/GChRawDataFactory.h"
#include "filelib/Stuff.h"
#include "filelib/TextCodec.h"
#include "filelib/TimeMath.h"

namespace OvGraphFileLib {
namespace {

constexpr const char* kSave = "OvGraphFileLib::GCh::SaveImpl";
constexpr const char* kLoad = "OvGraphFileLib::GCh::LoadImpl";
constexpr uint8_t kVersion = 1;

// First index whose time is at or after t.
int32_t FirstAtOrAfter(const GChRawData& block, int64_t time)
{
    int32_t lo = 0, hi = block.GetCount();
    while (lo < hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (block.GetTime(mid) < time)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

// Index of the record at or just before `from`, then one more back, so a line enters the window.
int32_t RangeBeginIndex(const GChRawData& block, int64_t from)
{
    int32_t index;
    if (block.GetInterval() > 0) {
        __extension__ using Wide = __int128;
        const Wide steps = from < block.GetFirstTime() ? 0 : (Wide(from) - block.GetFirstTime()) / block.GetInterval();
        index = int32_t(std::min<Wide>(steps, block.GetCount() - 1));
    } else {
        index = std::min(FirstAtOrAfter(block, from), block.GetCount() - 1);
    }
    return index >= 1 ? index - 1 : 0;
}

// Index of the last record at or before `to` (the caller knows the first one is).
int32_t LastAtOrBefore(const GChRawData& block, int64_t to)
{
    if (block.GetInterval() > 0) {
        __extension__ using Wide = __int128;
        const Wide steps = (Wide(to) - block.GetFirstTime()) / block.GetInterval();
        return int32_t(std::min<Wide>(steps, block.GetCount() - 1));
    }
    const int32_t after = to == std::numeric_limits<int64_t>::max() ? block.GetCount() : FirstAtOrAfter(block, to + 1);
    return after - 1;
}

}  // namespace

RawDataList CloneBlocks(const RawDataList& blocks)
{
    RawDataList copies;
    copies.reserve(blocks.size());
    for (const auto& block : blocks) copies.push_back(block->Clone());
    return copies;
}

GCh::GCh(const ICh& source) { CopyFrom(source); }

GCh::GCh(const GCh& other) : ICh(other) { CopyFrom(other); }

GCh& GCh::operator=(const GCh& other)
{
    if (this != &other) CopyFrom(other);
    return *this;
}

void GCh::CopyFrom(const ICh& source)
{
    CopyAttributes(source);
    m_rawData = source.GetRawData();
}

std::shared_ptr<GCh> GCh::WithAttributesOf(const ICh& source)
{
    auto channel = std::make_shared<GCh>();
    channel->CopyAttributes(source);
    channel->UpdateFromBlocks();
    return channel;
}

void GCh::SetRawData(RawDataList blocks)
{
    m_rawData = std::move(blocks);
    UpdateFromBlocks();
}

void GCh::CopyAttributes(const ICh& source)
{
    SetSerialNo(source.GetSerialNo());
    SetModel(source.GetModel());
    SetBaseName(source.GetBaseName());
    SetLoggerName(source.GetLoggerName());
    SetChName(source.GetChName());
    SetInterval(source.GetInterval());
    SetDataCount(source.GetDataCount());
    SetChType(source.GetChType());
    SetDecimalPlaces(source.GetDecimalPlaces());
    SetUpperLimit(source.GetUpperLimit());
    SetLowerLimit(source.GetLowerLimit());
    SetFirstTime(source.GetFirstTime());
    SetLastTime(source.GetLastTime());
    SetTimeDiff(source.GetTimeDiff());
    SetStdBias(source.GetStdBias());
    SetDstBias(source.GetDstBias());
    SetAuxText(source.GetAuxText());
    SetScaleExpr(source.GetScaleExpr());
    m_recordProp = source.GetRecordProp();
}

std::shared_ptr<ICh> GCh::Clone() const { return std::make_shared<GCh>(*this); }

RawDataList GCh::GetRawData() const { return CloneBlocks(m_rawData); }

void GCh::SaveImpl(std::ostream& out) const
{
    using namespace Stuff;
    WriteBinary(out, kVersion, 700, kSave);
    WriteBinary(out, m_serialNo, 701, kSave);
    WriteText(out, m_model, 702, kSave);
    WriteText(out, m_baseName, 703, kSave);
    WriteText(out, m_loggerName, 704, kSave);
    WriteText(out, m_chName, 705, kSave);
    WriteBinary(out, m_interval, 706, kSave);
    WriteBinary(out, m_dataCount, 707, kSave);
    WriteBinary(out, m_chType, 708, kSave);
    WriteBinary(out, m_decimalPlaces, 709, kSave);
    WriteBinary(out, m_upperLimit, 710, kSave);
    WriteBinary(out, m_lowerLimit, 711, kSave);
    WriteBinary(out, m_firstTime, 712, kSave);
    WriteBinary(out, m_lastTime, 713, kSave);
    WriteBinary(out, m_timeDiff, 714, kSave);
    WriteBinary(out, m_stdBias, 715, kSave);
    WriteBinary(out, m_dstBias, 716, kSave);
    WriteText(out, m_auxText, 717, kSave);
    WriteText(out, m_scaleExpr, 718, kSave);
    if (m_rawData.size() > 0xFFFF) ThrowResult(kWriteFailed, 719, kSave);
    WriteBinary(out, uint16_t(m_rawData.size()), 719, kSave);
    for (const auto& block : m_rawData) {
        WriteText(out, TextCodec::FromUtf8(block->GetClassName()), 720, kSave);
        block->SaveImpl(out);
    }
    WriteBinary(out, m_recordProp, 721, kSave);
}

void GCh::LoadImpl(std::istream& in)
{
    using namespace Stuff;
    const uint8_t version = Read<uint8_t>(in, 730, kLoad);
    if (version > kVersion) ThrowResult(kBrokenFile, 731, kLoad);
    ReadBinary(in, m_serialNo, 732, kLoad);
    ReadText(in, m_model, 733, kLoad);
    ReadText(in, m_baseName, 734, kLoad);
    ReadText(in, m_loggerName, 735, kLoad);
    ReadText(in, m_chName, 736, kLoad);
    ReadBinary(in, m_interval, 737, kLoad);
    ReadBinary(in, m_dataCount, 738, kLoad);
    ReadBinary(in, m_chType, 739, kLoad);
    ReadBinary(in, m_decimalPlaces, 740, kLoad);  // signed: a stored 0xFF is -1
    ReadBinary(in, m_upperLimit, 741, kLoad);
    ReadBinary(in, m_lowerLimit, 742, kLoad);
    ReadBinary(in, m_firstTime, 743, kLoad);
    ReadBinary(in, m_lastTime, 744, kLoad);
    ReadBinary(in, m_timeDiff, 745, kLoad);
    ReadBinary(in, m_stdBias, 746, kLoad);
    ReadBinary(in, m_dstBias, 747, kLoad);
    ReadText(in, m_auxText, 748, kLoad);
    ReadText(in, m_scaleExpr, 749, kLoad);
    const uint16_t blockCount = Read<uint16_t>(in, 750, kLoad);
    m_rawData.clear();
    for (uint16_t i = 0; i < blockCount; ++i) {
        std::u16string className;
        ReadText(in, className, 751, kLoad);
        auto block = GChRawDataFactory::Instance().Create(TextCodec::ToUtf8(className));
        if (!block) ThrowResult(kBrokenFile, 752, kLoad);
        block->LoadImpl(in);
        m_rawData.push_back(std::move(block));
    }
    m_recordProp = version == 0 ? 0 : Read<uint8_t>(in, 753, kLoad);
}

void GCh::UpdateFromBlocks()
{
    int64_t total = 0;
    for (const auto& block : m_rawData) total += block->GetCount();
    m_dataCount = int32_t(std::min<int64_t>(total, std::numeric_limits<int32_t>::max()));
    m_firstTime = m_rawData.empty() ? NO_TIME : m_rawData.front()->GetFirstTime();
    m_lastTime = m_rawData.empty() ? NO_TIME : m_rawData.back()->GetLastTime();
}

void GCh::DeleteBefore(int64_t time)
{
    for (const auto& block : m_rawData) block->DeleteBefore(time);
    std::erase_if(m_rawData, [](const auto& block) { return block->GetCount() == 0; });
    UpdateFromBlocks();
}

void GCh::DeleteAfter(int64_t time)
{
    for (const auto& block : m_rawData) block->DeleteAfter(time);
    std::erase_if(m_rawData, [](const auto& block) { return block->GetCount() == 0; });
    UpdateFromBlocks();
}

void GCh::MergeData(const ICh& other)
{
    for (auto& block : other.GetRawData()) {
        if (block->GetCount() == 0) continue;
        const auto at = std::upper_bound(m_rawData.begin(), m_rawData.end(), block->GetFirstTime(),
                                         [](int64_t t, const auto& b) { return t < b->GetFirstTime(); });
        m_rawData.insert(at, std::move(block));
    }
    UpdateFromBlocks();
}

void GCh::ShiftTime(int64_t offset)
{
    if (m_firstTime != NO_TIME) m_firstTime = RecordTime(m_firstTime, offset, 1);
    if (m_lastTime != NO_TIME) m_lastTime = RecordTime(m_lastTime, offset, 1);
    for (const auto& block : m_rawData) block->ShiftTime(offset);
    // Layouts that store whole seconds move by whole seconds: the channel follows its records.
    if (!m_rawData.empty()) {
        m_firstTime = m_rawData.front()->GetFirstTime();
        m_lastTime = m_rawData.back()->GetLastTime();
    }
}

void GCh::RemoveOverlaps()
{
    int64_t covered = std::numeric_limits<int64_t>::min();
    for (auto& block : m_rawData) {
        if (block->GetCount() == 0) continue;
        if (block->GetFirstTime() <= covered) {
            block = block->Clone();  // blocks may be shared with the channels merged from
            block->DeleteBefore(covered + 1);
        }
        if (block->GetCount() > 0) covered = std::max(covered, block->GetLastTime());
    }
    std::erase_if(m_rawData, [](const auto& block) { return block->GetCount() == 0; });
    UpdateFromBlocks();
}

std::pair<GChDataIterator, GChDataIterator> GCh::GetDataRange(int64_t from, int64_t to) const
{
    if (from < 0) from = 0;
    if (to < 0) to = std::numeric_limits<int64_t>::max();
    const GChDataIterator none = end();
    size_t first = 0;
    while (first < m_rawData.size()) {
        const GChRawData& block = *m_rawData[first];
        if (block.GetCount() > 0 && block.GetFirstTime() <= to && block.GetLastTime() >= from) break;
        ++first;
    }
    if (first == m_rawData.size() || from > to) return {none, none};
    const GChDataIterator begin(&m_rawData, first, RangeBeginIndex(*m_rawData[first], from));

    for (size_t b = m_rawData.size(); b-- > first;) {
        const GChRawData& block = *m_rawData[b];
        if (block.GetCount() == 0 || block.GetFirstTime() > to) continue;
        const int32_t last = LastAtOrBefore(block, to);
        const int32_t stop = int32_t(std::min<int64_t>(int64_t(last) + 2, block.GetCount()));
        return {begin, GChDataIterator(&m_rawData, b, stop)};
    }
    return {none, none};
}

}  // namespace OvGraphFileLib
