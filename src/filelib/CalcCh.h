#pragma once

#include "filelib/ChConstants.h"
#include "filelib/ICh.h"

namespace OvGraphFileLib {

// A channel whose data the application derived from other channels (dew point, merges, ...).
// Attributes are plain fields set by the tool that builds it; data count and first and last time
// follow the blocks.
class CalcCh : public ICh {
public:
    CalcCh() = default;
    CalcCh(const CalcCh& other);
    CalcCh& operator=(const CalcCh& other);

    // Throw Result: write locations 9000-9017, read locations 9020-9039.
    void SaveImpl(std::ostream& out) const override;
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "CalcCh"; }
    std::shared_ptr<ICh> Clone() const override { return std::make_shared<CalcCh>(*this); }
    RawDataList GetRawData() const override;
    uint32_t GetSerialNo() const override { return m_serialNo; }
    std::u16string GetModel() const override { return m_model; }
    std::u16string GetBaseName() const override { return m_baseName; }
    std::u16string GetLoggerName() const override { return m_loggerName; }
    std::u16string GetChName() const override { return m_chName; }
    int64_t GetInterval() const override { return m_interval; }
    int32_t GetDataCount() const override;
    uint16_t GetChType() const override { return uint16_t(m_chType); }
    int8_t GetDecimalPlaces() const override { return int8_t(m_decimalPlaces); }
    double GetUpperLimit() const override { return m_upperLimit; }
    double GetLowerLimit() const override { return m_lowerLimit; }
    int64_t GetFirstTime() const override;
    // The last block's last time: with several blocks the last record lies in the last block.
    int64_t GetLastTime() const override;
    int64_t GetTimeDiff() const override { return m_timeDiff; }
    int64_t GetStdBias() const override { return m_stdBias; }
    int64_t GetDstBias() const override { return m_dstBias; }
    std::u16string GetAuxText() const override { return m_auxText; }
    std::u16string GetScaleExpr() const override { return m_scaleExpr; }
    uint8_t GetRecordProp() const override { return 0; }

    void SetSerialNo(uint32_t serialNo) { m_serialNo = serialNo; }
    void SetModel(const std::u16string& text) { m_model = text; }
    void SetBaseName(const std::u16string& text) { m_baseName = text; }
    void SetLoggerName(const std::u16string& text) { m_loggerName = text; }
    void SetChName(const std::u16string& text) { m_chName = text; }
    void SetInterval(int64_t ms) { m_interval = ms; }
    void SetChType(int32_t type) { m_chType = type; }
    void SetDecimalPlaces(int32_t places) { m_decimalPlaces = places; }
    void SetUpperLimit(double limit) { m_upperLimit = limit; }
    void SetLowerLimit(double limit) { m_lowerLimit = limit; }
    void SetTimeDiff(int64_t ms) { m_timeDiff = ms; }
    void SetStdBias(int64_t ms) { m_stdBias = ms; }
    void SetDstBias(int64_t ms) { m_dstBias = ms; }
    void SetAuxText(const std::u16string& text) { m_auxText = text; }
    void SetScaleExpr(const std::u16string& text) { m_scaleExpr = text; }
    // Replaces the blocks (the channel takes them). The channel type becomes the first block's
    // type, or 0 when the blocks disagree; the interval the first block's when all share it.
    void SetRawData(RawDataList blocks);
    const RawDataList& RawDataBlocks() const { return m_rawData; }

protected:
    uint32_t m_serialNo = 0;
    std::u16string m_model;
    std::u16string m_baseName;
    std::u16string m_loggerName;
    std::u16string m_chName;
    int64_t m_interval = NO_INTERVAL;
    int32_t m_chType = 0;
    int32_t m_decimalPlaces = -1;
    double m_upperLimit = NO_UPPER_LIMIT;
    double m_lowerLimit = NO_LOWER_LIMIT;
    int64_t m_timeDiff = NOT_GIVEN;
    int64_t m_stdBias = NOT_GIVEN;
    int64_t m_dstBias = NOT_GIVEN;
    std::u16string m_auxText;
    std::u16string m_scaleExpr;
    RawDataList m_rawData;
};

}  // namespace OvGraphFileLib
