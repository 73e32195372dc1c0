#pragma once

#include <vector>

#include "filelib/GChRawData.h"

namespace OvGraphFileLib {

// Double samples at a fixed interval: one little-endian double per record (element size 8).
// Tools that compute data build these.
class RawDataValidInterval : public GChRawData {
public:
    RawDataValidInterval();
    // A block of the given type holding values[i] at first + interval * i.
    static std::shared_ptr<RawDataValidInterval> Create(int32_t chType, int64_t firstTime, int64_t interval,
                                                        const std::vector<double>& values);

    std::string GetClassName() const override { return "RawDataValidInterval"; }
    std::shared_ptr<GChRawData> Clone() const override;
    int64_t GetTime(int32_t index) const override;
    double GetValue(int32_t index) const override;

protected:
    bool AcceptsElementSize(uint8_t size) const override { return size == 8; }
};

}  // namespace OvGraphFileLib
