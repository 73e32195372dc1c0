#pragma once

#include "filelib/ChConstants.h"
#include "filelib/ICh.h"

namespace OvGraphFileLib {

// A channel without data: every getter returns its empty value and nothing is serialised.
class EmptyCh : public ICh {
public:
    void SaveImpl(std::ostream&) const override {}
    void LoadImpl(std::istream&) override {}
    std::string GetClassName() const override { return "EmptyCh"; }
    std::shared_ptr<ICh> Clone() const override { return std::make_shared<EmptyCh>(); }
    RawDataList GetRawData() const override { return {}; }
    uint32_t GetSerialNo() const override { return 0; }
    std::u16string GetModel() const override { return {}; }
    std::u16string GetBaseName() const override { return {}; }
    std::u16string GetLoggerName() const override { return {}; }
    std::u16string GetChName() const override { return {}; }
    int64_t GetInterval() const override { return NO_INTERVAL; }
    int32_t GetDataCount() const override { return 0; }
    uint16_t GetChType() const override { return 0; }
    int8_t GetDecimalPlaces() const override { return -1; }
    double GetUpperLimit() const override { return NO_UPPER_LIMIT; }
    double GetLowerLimit() const override { return NO_LOWER_LIMIT; }
    int64_t GetFirstTime() const override { return NO_TIME; }
    int64_t GetLastTime() const override { return NO_TIME; }
    int64_t GetTimeDiff() const override { return NOT_GIVEN; }
    int64_t GetStdBias() const override { return NOT_GIVEN; }
    int64_t GetDstBias() const override { return NOT_GIVEN; }
    std::u16string GetAuxText() const override { return {}; }
    std::u16string GetScaleExpr() const override { return {}; }
    uint8_t GetRecordProp() const override { return 0; }
};

}  // namespace OvGraphFileLib
