#include "filelib/GChRawData.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "Common/Library/OvChType.h"
#include "filelib/ChConstants.h"
#include "filelib/Stuff.h"
#include "filelib/TimeMath.h"

namespace OvGraphFileLib {
namespace {
constexpr const char* kSave = "OvGraphFileLib::GChRawData::SaveImpl";
constexpr const char* kLoad = "OvGraphFileLib::GChRawData::LoadImpl";
}  // namespace

GChRawData::GChRawData() : m_type(&orvel::detail::OvChTypeOf(0)) {}

std::shared_ptr<GChRawData> GChRawData::Clone() const { return std::make_shared<GChRawData>(*this); }

void GChRawData::SetChType(int32_t type)
{
    m_chType = type;
    m_type = &orvel::detail::OvChTypeOf(uint16_t(type));
}

void GChRawData::SaveImpl(std::ostream& out) const
{
    using namespace Stuff;
    WriteBinary(out, uint8_t(0), 800, kSave);
    WriteBinary(out, m_chType, 801, kSave);
    WriteBinary(out, m_firstTime, 802, kSave);
    WriteBinary(out, m_lastTime, 803, kSave);
    WriteBinary(out, m_countFlag, 804, kSave);
    WriteBinary(out, m_counter, 805, kSave);
    WriteBinary(out, m_interval, 806, kSave);
    WriteBinary(out, m_count, 807, kSave);
    WriteBinary(out, m_elementSize, 808, kSave);
    if (m_count < 0 || m_data.size() != size_t(m_count) * m_elementSize) ThrowResult(kBadBlock, 810, kSave);
    WriteBytes(out, m_data.data(), m_data.size(), 809, kSave);
}

void GChRawData::LoadImpl(std::istream& in)
{
    using namespace Stuff;
    if (Read<uint8_t>(in, 830, kLoad) != 0) ThrowResult(kBrokenFile, 830, kLoad);
    SetChType(Read<int32_t>(in, 831, kLoad));
    m_firstTime = Read<int64_t>(in, 832, kLoad);
    m_lastTime = Read<int64_t>(in, 833, kLoad);
    m_countFlag = Read<int32_t>(in, 834, kLoad);
    m_counter = Read<int32_t>(in, 835, kLoad);
    m_interval = Read<int64_t>(in, 836, kLoad);
    m_count = Read<int32_t>(in, 837, kLoad);
    if (m_count < 0) ThrowResult(kBrokenFile, 837, kLoad);
    m_elementSize = Read<uint8_t>(in, 838, kLoad);
    if (!AcceptsElementSize(m_elementSize)) ThrowResult(kBrokenFile, 838, kLoad);
    m_data = SharedBytes();
    ReadBytes(in, m_data.Edit(), uint64_t(m_count) * m_elementSize, 839, kLoad);
}

int64_t GChRawData::GetTime(int32_t index) const
{
    if (!InRange(index)) return NO_TIME;
    // Without a fixed interval (and without times of their own) records cannot be placed apart:
    // they all stand at the first time, as the channel's last time says.
    if (m_interval <= 0) return m_firstTime;
    return RecordTime(m_firstTime, m_interval, index);
}

double GChRawData::GetValue(int32_t index) const { return DecodeRecord(index, false); }

void GChRawData::GetValues(int32_t first, int32_t count, double* out) const
{
    for (int32_t k = 0; k < count; ++k) out[k] = GetValue(first + k);
}

void GChRawData::LookUpCodes(const double* table, int32_t first, int32_t count, double* out) const
{
    if (m_elementSize < 2) {
        std::fill_n(out, count, INVALID_VALUE);
        return;
    }
    const uint8_t* record = Record(first);
    for (int32_t k = 0; k < count; ++k, record += m_elementSize) out[k] = table[Stuff::LoadU16(record)];
}

double GChRawData::DecodeRecord(int32_t index, bool storedValue) const
{
    if (!InRange(index) || m_elementSize < 2) return INVALID_VALUE;
    const uint8_t* record = Record(index);
    if (m_type->GetRawSize() == 4) {
        const uint32_t raw = m_elementSize >= 4 ? Stuff::LoadU32(record) : Stuff::LoadU16(record);
        if (m_type->IsInvalid32(raw)) return INVALID_VALUE;
        return storedValue ? m_type->GetDataValue32(raw) : m_type->RawToValue32(raw);
    }
    const uint16_t raw = Stuff::LoadU16(record);
    if (m_type->IsInvalid(raw)) return INVALID_VALUE;
    return storedValue ? m_type->GetDataValue(raw) : m_type->RawToValue(raw);
}

bool GChRawData::AcceptsElementSize(uint8_t size) const { return size == 2 || size == 4; }

void GChRawData::DeleteBefore(int64_t time)
{
    if (m_count <= 0 || m_firstTime >= time) return;
    DropFront(m_interval > 0 ? RecordsBefore(m_firstTime, m_interval, m_count, time) : LowerBound(time));
}

void GChRawData::DeleteAfter(int64_t time)
{
    if (m_count <= 0) return;
    const int64_t last = GetTime(m_count - 1);
    if (last <= time) return;
    // Keep the records at or before time, that is those before time + 1.
    const int64_t limit = time == std::numeric_limits<int64_t>::max() ? time : time + 1;
    const int32_t keep =
        m_interval > 0 ? RecordsBefore(m_firstTime, m_interval, m_count, limit) : LowerBound(limit);
    DropBack(m_count - keep);
}

void GChRawData::ShiftTime(int64_t offset)
{
    if (m_firstTime != NO_TIME) m_firstTime = RecordTime(m_firstTime, offset, 1);
    if (m_lastTime != NO_TIME) m_lastTime = RecordTime(m_lastTime, offset, 1);
}

void GChRawData::DropFront(int32_t n)
{
    if (n <= 0) return;
    n = std::min(n, m_count);
    std::vector<uint8_t>& data = m_data.Edit();
    data.erase(data.begin(), data.begin() + ptrdiff_t(size_t(n) * m_elementSize));
    m_count -= n;
    if (m_countFlag != 0) m_counter -= n;
    if (m_count == 0) {
        m_firstTime = m_lastTime = NO_TIME;
    } else if (m_interval > 0) {
        m_firstTime = RecordTime(m_firstTime, m_interval, n);
    }
}

void GChRawData::DropBack(int32_t n)
{
    if (n <= 0) return;
    n = std::min(n, m_count);
    m_data.Edit().resize(size_t(m_count - n) * m_elementSize);
    m_count -= n;
    if (m_count == 0) {
        m_firstTime = m_lastTime = NO_TIME;
    } else if (m_interval > 0) {
        m_lastTime = RecordTime(m_firstTime, m_interval, m_count - 1);
    }
}

int32_t GChRawData::LowerBound(int64_t time) const
{
    int32_t lo = 0, hi = m_count;
    while (lo < hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (GetTime(mid) < time)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

void GChRawData::TimesFromRecords()
{
    m_firstTime = m_count > 0 ? GetTime(0) : NO_TIME;
    m_lastTime = m_count > 0 ? GetTime(m_count - 1) : NO_TIME;
}

void GChRawData::DeleteBeforeByRecordTimes(int64_t time)
{
    DropFront(LowerBound(time));
    TimesFromRecords();
}

void GChRawData::DeleteAfterByRecordTimes(int64_t time)
{
    const int32_t keep = time == std::numeric_limits<int64_t>::max() ? m_count : LowerBound(time + 1);
    DropBack(m_count - keep);
    TimesFromRecords();
}

}  // namespace OvGraphFileLib
