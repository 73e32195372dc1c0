#pragma once

#include <cstdint>
#include <memory>

#include "filelib/GCh.h"
#include "filelib/Result.h"

namespace OvGraphFileLib {

// How a channel is thinned: windows [origin + k * length, origin + (k + 1) * length) for whole k,
// one value per window by the method (0 sample, 1 minimum, 2 maximum, 3 sum, 4 average).
struct ThinDataPrm {
    int64_t windowLength = 0;  // ms, greater than 0
    int64_t origin = 0;        // ms since 1970 UTC
    int32_t method = 0;
    uint32_t lenient = 0;  // 0: an invalid sample or a block break spoils its window; else skipped
};

struct ThinDataResult {
    Result result;
    std::shared_ptr<GCh> channel;  // set on success
};

// Thins a channel into a new one with the source's attributes, interval = window length, and
// one record per window that holds data, in blocks that end where a window gives BREAK_VALUE.
// Fails with code 56 at 20020 for a window length of 0 or less or a method without a calculator,
// and at 20021 when the channel spans more than kMaxThinWindows windows (the output would not
// fit in memory). The source is only read.
ThinDataResult ThinData(const ICh& source, const ThinDataPrm& prm);

inline constexpr int64_t kMaxThinWindows = 50'000'000;

}  // namespace OvGraphFileLib
