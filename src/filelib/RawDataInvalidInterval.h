#pragma once

#include "filelib/GChRawData.h"

namespace OvGraphFileLib {

// Explicit (time, value) pairs: per record a signed 64-bit time in milliseconds and a double
// (element size 16), in time order, not necessarily equally spaced. The interval is -1.
class RawDataInvalidInterval : public GChRawData {
public:
    RawDataInvalidInterval();

    // Appends a record; times must not decrease.
    void Append(int64_t time, double value);

    std::string GetClassName() const override { return "RawDataInvalidInterval"; }
    std::shared_ptr<GChRawData> Clone() const override;
    int64_t GetTime(int32_t index) const override;
    double GetValue(int32_t index) const override;
    bool IsEquallySpaced() const override { return false; }
    void DeleteBefore(int64_t time) override;
    void DeleteAfter(int64_t time) override;
    // The records carry their own times, so they move with the block.
    void ShiftTime(int64_t offset) override;

protected:
    bool AcceptsElementSize(uint8_t size) const override { return size == 16; }
};

}  // namespace OvGraphFileLib
