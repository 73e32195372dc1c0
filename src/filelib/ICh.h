#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "filelib/IBlock.h"

namespace OvGraphFileLib {

class GChRawData;
using RawDataList = std::vector<std::shared_ptr<GChRawData>>;

// One recorded series: identification, type, limits, time-zone data and the samples in raw data
// blocks. Times and intervals are milliseconds (see ChConstants.h for the sentinels).
class ICh : public IBlock {
public:
    virtual std::shared_ptr<ICh> Clone() const = 0;
    // Deep copies of the blocks, in time order: the caller may change them freely.
    virtual RawDataList GetRawData() const = 0;
    virtual uint32_t GetSerialNo() const = 0;
    virtual std::u16string GetModel() const = 0;
    virtual std::u16string GetBaseName() const = 0;
    virtual std::u16string GetLoggerName() const = 0;
    virtual std::u16string GetChName() const = 0;
    virtual int64_t GetInterval() const = 0;
    virtual int32_t GetDataCount() const = 0;
    virtual uint16_t GetChType() const = 0;
    // -1: use the channel type's default.
    virtual int8_t GetDecimalPlaces() const = 0;
    virtual double GetUpperLimit() const = 0;
    virtual double GetLowerLimit() const = 0;
    virtual int64_t GetFirstTime() const = 0;
    virtual int64_t GetLastTime() const = 0;
    virtual int64_t GetTimeDiff() const = 0;
    virtual int64_t GetStdBias() const = 0;
    virtual int64_t GetDstBias() const = 0;
    virtual std::u16string GetAuxText() const = 0;
    virtual std::u16string GetScaleExpr() const = 0;
    virtual uint8_t GetRecordProp() const = 0;
};

using ChList = std::vector<std::shared_ptr<ICh>>;

// The last record time of a channel that keeps no last time of its own: -1 for no first time,
// the first time for one record, else first + (count - 1) * interval.
int64_t ComputeLastTime(int64_t firstTime, int32_t count, int64_t interval);

}  // namespace OvGraphFileLib
