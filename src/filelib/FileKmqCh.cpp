#include "filelib/FileKmqCh.h"

#include "filelib/FileKmqChRawData.h"
#include "filelib/Stuff.h"
#include "filelib/TimeMath.h"

namespace OvGraphFileLib {
namespace {

constexpr const char* kSave = "OvGraphFileLib::FileKmqCh::SaveImpl";
constexpr const char* kLoad = "OvGraphFileLib::FileKmqCh::LoadImpl";
constexpr uint16_t kVoltsType = 146;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// A run of digits with at most one point, divided by 1000 by moving the point.
std::u16string ThousandthOf(const std::u16string& number)
{
    const size_t point = number.find(u'.');
    const std::u16string whole = point == std::u16string::npos ? number : number.substr(0, point);
    const std::u16string fraction = point == std::u16string::npos ? u"" : number.substr(point + 1);
    const std::u16string digits = whole + fraction;
    const ptrdiff_t newPoint = ptrdiff_t(whole.size()) - 3;
    std::u16string newWhole, newFraction;
    if (newPoint <= 0) {
        newWhole = u"0";
        newFraction = std::u16string(size_t(-newPoint), u'0') + digits;
    } else {
        newWhole = digits.substr(0, size_t(newPoint));
        newFraction = digits.substr(size_t(newPoint));
    }
    const size_t firstNonZero = newWhole.find_first_not_of(u'0');
    newWhole = firstNonZero == std::u16string::npos ? u"0" : newWhole.substr(firstNonZero);
    const size_t lastNonZero = newFraction.find_last_not_of(u'0');
    newFraction = lastNonZero == std::u16string::npos ? u"" : newFraction.substr(0, lastNonZero + 1);
    return newFraction.empty() ? newWhole : newWhole + u"." + newFraction;
}

}  // namespace

std::u16string RescaleNumbersByThousandth(const std::u16string& text)
{
    std::u16string result;
    size_t i = 0;
    while (i < text.size()) {
        const bool startsNumber =
            IsDigit(text[i]) || (text[i] == u'.' && i + 1 < text.size() && IsDigit(text[i + 1]));
        if (!startsNumber) {
            result += text[i++];
            continue;
        }
        size_t end = i;
        bool seenPoint = false;
        while (end < text.size() && (IsDigit(text[end]) || (text[end] == u'.' && !seenPoint))) {
            seenPoint = seenPoint || text[end] == u'.';
            ++end;
        }
        result += ThousandthOf(text.substr(i, end - i));
        i = end;
    }
    return result;
}

int8_t FileKmqCh::GetDecimalPlaces() const
{
    switch (m_fields.chType) {
        case 13: case 209: case 269: case 465: return 1;
        case 129: return 2;
        case 73: case 85: return 3;
        case 146: return 4;
        case 77: case 78: case 208: case 464: case 589: case 590: return 0;
        default: return -1;
    }
}

double FileKmqCh::InVolts(double limit) const
{
    if (m_fields.chType != kVoltsType || limit == NO_UPPER_LIMIT || limit == NO_LOWER_LIMIT) return limit;
    return limit / 1000.0;
}

std::u16string FileKmqCh::GetScaleExpr() const
{
    return m_fields.chType == kVoltsType ? RescaleNumbersByThousandth(m_fields.scaleExpr) : m_fields.scaleExpr;
}

int64_t FileKmqCh::GetFirstTime() const
{
    return m_fields.unixTime == 0 ? NO_TIME : RecordTime(0, m_fields.unixTime, 1000);
}

int64_t FileKmqCh::GetLastTime() const
{
    const int64_t first = GetFirstTime();
    if (first == NO_TIME || m_fields.count <= 1) return first;
    if (m_fields.interval != NO_INTERVAL) return RecordTime(first, m_fields.interval, m_fields.count - 1);
    const size_t recordSize = FileKmqChRawData::RecordSize(m_fields.chType);
    if (FileKmqChRawData::HasRecordTimes(m_fields.chType) && m_fields.records.size() >= m_fields.count * recordSize)
        return int64_t(Stuff::LoadU64(&m_fields.records[(m_fields.count - 1) * recordSize]) * 1000);
    return first;
}

RawDataList FileKmqCh::GetRawData() const
{
    auto block = std::make_shared<FileKmqChRawData>();
    const uint8_t recordSize = FileKmqChRawData::RecordSize(m_fields.chType);
    block->SetChType(m_fields.chType);
    block->SetElementSize(recordSize);
    block->SetInterval(m_fields.interval);
    block->SetCount(int32_t(std::min<size_t>(size_t(std::max(m_fields.count, 0)), m_fields.records.size() / recordSize)));
    const size_t bytes = size_t(block->GetCount()) * recordSize;
    if (m_fields.records.size() == bytes)
        block->SetData(m_fields.records);
    else
        block->GetData().assign(m_fields.records.data(), m_fields.records.data() + bytes);
    block->SetFirstTime(block->GetCount() == 0 ? NO_TIME : GetFirstTime());
    block->SetLastTime(block->GetCount() == 0 ? NO_TIME : GetLastTime());
    return {block};
}

void FileKmqCh::SaveImpl(std::ostream& out) const
{
    using namespace Stuff;
    const Fields& f = m_fields;
    WriteBinary(out, uint8_t(0), 8100, kSave);
    WriteBinary(out, f.serialNo, 8101, kSave);
    WriteText(out, f.model, 8102, kSave);
    WriteText(out, f.baseName, 8103, kSave);
    WriteText(out, f.loggerName, 8104, kSave);
    WriteText(out, f.chName, 8105, kSave);
    WriteBinary(out, f.timeDiff, 8106, kSave);
    WriteBinary(out, f.stdBias, 8107, kSave);
    WriteBinary(out, f.dstBias, 8108, kSave);
    WriteText(out, f.timeZone, 8109, kSave);
    WriteBinary(out, f.chType, 8110, kSave);
    WriteBinary(out, f.unixTime, 8111, kSave);
    WriteBinary(out, f.num, 8112, kSave);
    WriteBinary(out, f.dataId, 8113, kSave);
    WriteBinary(out, f.interval, 8114, kSave);
    WriteBinary(out, f.count, 8115, kSave);
    WriteBinary(out, f.upperLimit, 8116, kSave);
    WriteBinary(out, f.lowerLimit, 8117, kSave);
    WriteText(out, f.scaleExpr, 8118, kSave);
    WriteBinary(out, f.recordProp, 8119, kSave);
    WriteBinary(out, uint32_t(f.records.size()), 8120, kSave);
    WriteBytes(out, f.records.data(), f.records.size(), 8121, kSave);
}

void FileKmqCh::LoadImpl(std::istream& in)
{
    using namespace Stuff;
    Fields& f = m_fields;
    if (Read<uint8_t>(in, 8130, kLoad) != 0) ThrowResult(kBrokenFile, 8130, kLoad);
    ReadBinary(in, f.serialNo, 8131, kLoad);
    ReadText(in, f.model, 8132, kLoad);
    ReadText(in, f.baseName, 8133, kLoad);
    ReadText(in, f.loggerName, 8134, kLoad);
    ReadText(in, f.chName, 8135, kLoad);
    ReadBinary(in, f.timeDiff, 8136, kLoad);
    ReadBinary(in, f.stdBias, 8137, kLoad);
    ReadBinary(in, f.dstBias, 8138, kLoad);
    ReadText(in, f.timeZone, 8139, kLoad);
    ReadBinary(in, f.chType, 8140, kLoad);
    ReadBinary(in, f.unixTime, 8141, kLoad);
    ReadBinary(in, f.num, 8142, kLoad);
    ReadBinary(in, f.dataId, 8143, kLoad);
    ReadBinary(in, f.interval, 8144, kLoad);
    ReadBinary(in, f.count, 8145, kLoad);
    ReadBinary(in, f.upperLimit, 8146, kLoad);
    ReadBinary(in, f.lowerLimit, 8147, kLoad);
    ReadText(in, f.scaleExpr, 8148, kLoad);
    ReadBinary(in, f.recordProp, 8149, kLoad);
    const uint32_t size = Read<uint32_t>(in, 8150, kLoad);
    f.records = SharedBytes();
    ReadBytes(in, f.records.Edit(), size, 8151, kLoad);
}

}  // namespace OvGraphFileLib
