#pragma once

#include "filelib/GChRawData.h"

namespace OvGraphFileLib {

// Cumulative illuminance or UV records of a kmv channel, 10 bytes each (little-endian): a 32-bit
// first field, the record time in seconds (32-bit) and the 16-bit cumulative code. The records
// carry their own times.
class FileKmvChCumulativeRawData : public GChRawData {
public:
    static constexpr uint8_t kRecordSize = 10;
    FileKmvChCumulativeRawData();

    std::string GetClassName() const override { return "FileKmvChCumulativeRawData"; }
    std::shared_ptr<GChRawData> Clone() const override
    {
        return std::make_shared<FileKmvChCumulativeRawData>(*this);
    }
    int64_t GetTime(int32_t index) const override;
    // The cumulative type's RawToValue of the code (not rounded like stored samples).
    double GetValue(int32_t index) const override;
    bool IsEquallySpaced() const override { return false; }
    void DeleteBefore(int64_t time) override;
    void DeleteAfter(int64_t time) override;
    // The records hold whole seconds: the offset moves them by whole seconds (toward zero).
    void ShiftTime(int64_t offset) override;

protected:
    bool AcceptsElementSize(uint8_t size) const override { return size == kRecordSize; }
};

}  // namespace OvGraphFileLib
