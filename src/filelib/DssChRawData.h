#pragma once

#include "filelib/GChRawData.h"

namespace OvGraphFileLib {

// The records of one web-storage block. For the types 329, 341, 589 and 590 each record is an
// 8-byte little-endian time in seconds followed by the raw code (10 bytes, or 12 for the 32-bit
// counts of 589 and 590); such a block has no fixed interval (-1). Every other type stores raw
// codes at the block's fixed interval (2 bytes, 4 for the 32-bit cumulative pulse types).
// Type 146 values are in volts (the type's millivolts / 1000).
class DssChRawData : public GChRawData {
public:
    std::string GetClassName() const override { return "DssChRawData"; }
    std::shared_ptr<GChRawData> Clone() const override { return std::make_shared<DssChRawData>(*this); }
    // Milliseconds; a record's own seconds x 1000, or first time + interval x index.
    int64_t GetTime(int32_t index) const override;
    // INVALID_VALUE for a no-data code or an index out of range.
    double GetValue(int32_t index) const override;
    bool IsEquallySpaced() const override
    {
        return !HasRecordTimes(GetChType()) && GChRawData::IsEquallySpaced();
    }
    // Records with their own times are trimmed by those times and shifted by whole seconds.
    void DeleteBefore(int64_t time) override;
    void DeleteAfter(int64_t time) override;
    void ShiftTime(int64_t offset) override;

    static bool HasRecordTimes(int32_t chType);
    // Bytes per record of a channel type in a web-storage block.
    static uint8_t RecordSize(int32_t chType);
    // Sets the block's first and last time from the records (layouts with their own times).
    void UpdateTimesFromRecords() { TimesFromRecords(); }

protected:
    bool AcceptsElementSize(uint8_t size) const override { return size == RecordSize(GetChType()); }
};

}  // namespace OvGraphFileLib
