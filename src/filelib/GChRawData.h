#pragma once

#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "filelib/SharedBytes.h"

namespace orvel::detail {
class OvChTypeBase;
}

namespace OvGraphFileLib {

// A block of records at a fixed interval, each record element-size bytes as the logger stored it
// (a 16-bit little-endian raw code, or 32-bit for the cumulative pulse types). Values decode
// through the channel type of the block's type code. Subclasses change the record layout or the
// decoding; the serialized form is shared.
class GChRawData {
public:
    GChRawData();
    virtual ~GChRawData() = default;

    virtual std::string GetClassName() const { return "GChRawData"; }
    virtual std::shared_ptr<GChRawData> Clone() const;
    // Throw Result: write locations 800-810, read locations 830-839.
    virtual void SaveImpl(std::ostream& out) const;
    virtual void LoadImpl(std::istream& in);
    // Milliseconds; -1 when the index is out of range.
    virtual int64_t GetTime(int32_t index) const;
    // INVALID_VALUE for a no-data code or an index out of range.
    virtual double GetValue(int32_t index) const;
    // Remove the records before t, or after t, from the block.
    virtual void DeleteBefore(int64_t time);
    virtual void DeleteAfter(int64_t time);
    virtual void ShiftTime(int64_t offset);
    // Whether record i lies at first time + interval x i (false for layouts whose records carry
    // their own times).
    virtual bool IsEquallySpaced() const { return m_interval > 0; }
    // Bulk decode: out[k] = GetValue(first + k) for k < count (the caller checks the range).
    virtual void GetValues(int32_t first, int32_t count, double* out) const;

    int32_t GetChType() const { return m_chType; }
    void SetChType(int32_t type);
    int64_t GetFirstTime() const { return m_firstTime; }
    void SetFirstTime(int64_t time) { m_firstTime = time; }
    int64_t GetLastTime() const { return m_lastTime; }
    void SetLastTime(int64_t time) { m_lastTime = time; }
    int32_t GetCountFlag() const { return m_countFlag; }
    void SetCountFlag(int32_t flag) { m_countFlag = flag; }
    int32_t GetCounter() const { return m_counter; }
    void SetCounter(int32_t counter) { m_counter = counter; }
    int64_t GetInterval() const { return m_interval; }
    void SetInterval(int64_t interval) { m_interval = interval; }
    int32_t GetCount() const { return m_count; }
    void SetCount(int32_t count) { m_count = count; }
    uint8_t GetElementSize() const { return m_elementSize; }
    void SetElementSize(uint8_t size) { m_elementSize = size; }
    // count * element size bytes; record i starts at byte i * element size. Copies of a block
    // share its bytes; writing through GetData() unshares them first.
    const std::vector<uint8_t>& GetData() const { return m_data.Get(); }
    std::vector<uint8_t>& GetData() { return m_data.Edit(); }
    const SharedBytes& GetSharedData() const { return m_data; }
    // The block reads these bytes, shared with whoever else holds them.
    void SetData(SharedBytes bytes) { m_data = std::move(bytes); }

protected:
    // The values of the 16-bit codes that start the records, looked up in a table of every code's
    // value; records too short for a code give INVALID_VALUE.
    void LookUpCodes(const double* table, int32_t first, int32_t count, double* out) const;
    // Which record sizes the class can decode; a stream with another size is refused.
    virtual bool AcceptsElementSize(uint8_t size) const;
    // Decodes one record through the channel type, without format-specific invalid codes.
    double DecodeRecord(int32_t index, bool storedValue) const;
    const uint8_t* Record(int32_t index) const { return m_data.data() + size_t(index) * m_elementSize; }
    bool InRange(int32_t index) const { return index >= 0 && index < m_count; }
    // Remove n records at the front or back and keep count, times and counter consistent.
    void DropFront(int32_t n);
    void DropBack(int32_t n);
    // The first index whose time is at or after t, by binary search over GetTime.
    int32_t LowerBound(int64_t time) const;
    // Recompute first and last time from the records' own times (layouts that store times).
    void TimesFromRecords();
    // DeleteBefore and DeleteAfter for layouts whose records carry their own times.
    void DeleteBeforeByRecordTimes(int64_t time);
    void DeleteAfterByRecordTimes(int64_t time);

    const orvel::detail::OvChTypeBase* m_type;

private:
    int32_t m_chType = 0;
    int64_t m_firstTime = -1;
    int64_t m_lastTime = -1;
    int32_t m_countFlag = 0;
    int32_t m_counter = 0;
    int64_t m_interval = -1;
    int32_t m_count = 0;
    uint8_t m_elementSize = 2;
    SharedBytes m_data;
};

}  // namespace OvGraphFileLib
