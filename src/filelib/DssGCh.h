#pragma once

#include <memory>
#include <string>
#include <vector>

#include "filelib/DssChRawData.h"
#include "filelib/GCh.h"

namespace OvGraphFileLib {

// A channel of a web-storage answer. It is a plain GCh once built (its class name stays "GCh", so
// a graph document stores and reloads it as one); the base name is always empty.
class DssGCh : public GCh {
public:
    struct Fields {
        uint32_t serialNo = 0;
        std::u16string model;
        std::u16string loggerName;
        std::u16string chName;
        std::u16string auxText;        // the channel number as decimal text
        int64_t timeDiff = NOT_GIVEN;  // milliseconds
        uint16_t chType = 0;
        int64_t interval = NO_INTERVAL;      // milliseconds
        double upperLimit = NO_UPPER_LIMIT;  // in the channel's unit
        double lowerLimit = NO_LOWER_LIMIT;
        std::u16string scaleExpr;
        // Non-empty blocks in time order; the channel takes ownership.
        std::vector<std::shared_ptr<DssChRawData>> blocks;
    };

    DssGCh() = default;
    // Data count, first and last time follow the blocks.
    explicit DssGCh(Fields fields);
};

}  // namespace OvGraphFileLib
