#pragma once

#include <vector>

#include "filelib/ChConstants.h"
#include "filelib/ICh.h"
#include "filelib/SharedBytes.h"

namespace OvGraphFileLib {

// One `ch` element of a kmq file, with the values the loader read. Several getters compute:
// first and last time from unix_time, count and interval; decimal places by type; and type 146
// (stored in 0.1 mV) is given in volts, so its limits and scale expression are rescaled by 1/1000.
class FileKmqCh : public ICh {
public:
    struct Fields {
        uint32_t serialNo = 0;
        std::u16string model;
        std::u16string baseName;
        std::u16string loggerName;
        std::u16string chName;
        int64_t timeDiff = NOT_GIVEN;  // ms
        int64_t stdBias = NOT_GIVEN;
        int64_t dstBias = NOT_GIVEN;
        std::u16string timeZone;
        uint16_t chType = 0;
        int64_t unixTime = 0;          // seconds; 0 = no first time
        int32_t num = 0;
        int32_t dataId = 0;
        int64_t interval = NO_INTERVAL;  // ms
        int32_t count = 0;
        double upperLimit = NO_UPPER_LIMIT;
        double lowerLimit = NO_LOWER_LIMIT;
        std::u16string scaleExpr;
        uint8_t recordProp = 0;
        SharedBytes records;  // count * record size bytes, shared with the blocks made of them
    };

    FileKmqCh() = default;
    explicit FileKmqCh(Fields fields) : m_fields(std::move(fields)) {}

    // Throw Result: the fields in order, then the records; write 8100-8121, read 8130-8151.
    void SaveImpl(std::ostream& out) const override;
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "FileKmqCh"; }
    std::shared_ptr<ICh> Clone() const override { return std::make_shared<FileKmqCh>(*this); }
    RawDataList GetRawData() const override;
    uint32_t GetSerialNo() const override { return m_fields.serialNo; }
    std::u16string GetModel() const override { return m_fields.model; }
    std::u16string GetBaseName() const override { return m_fields.baseName; }
    std::u16string GetLoggerName() const override { return m_fields.loggerName; }
    std::u16string GetChName() const override { return m_fields.chName; }
    int64_t GetInterval() const override { return m_fields.interval; }
    int32_t GetDataCount() const override { return m_fields.count; }
    uint16_t GetChType() const override { return m_fields.chType; }
    int8_t GetDecimalPlaces() const override;
    double GetUpperLimit() const override { return InVolts(m_fields.upperLimit); }
    double GetLowerLimit() const override { return InVolts(m_fields.lowerLimit); }
    int64_t GetFirstTime() const override;
    int64_t GetLastTime() const override;
    int64_t GetTimeDiff() const override { return m_fields.timeDiff; }
    int64_t GetStdBias() const override { return m_fields.stdBias; }
    int64_t GetDstBias() const override { return m_fields.dstBias; }
    std::u16string GetAuxText() const override { return {}; }
    std::u16string GetScaleExpr() const override;
    uint8_t GetRecordProp() const override { return m_fields.recordProp; }

    void SetBaseName(const std::u16string& text) { m_fields.baseName = text; }
    void SetLoggerName(const std::u16string& text) { m_fields.loggerName = text; }
    void SetChName(const std::u16string& text) { m_fields.chName = text; }
    const Fields& GetFields() const { return m_fields; }

private:
    double InVolts(double limit) const;

    Fields m_fields;
};

// Every number of a scale expression text divided by 1000, written without superfluous zeros
// ("1500" → "1.5", "2" → "0.002", "-0.5" → "-0.0005").
std::u16string RescaleNumbersByThousandth(const std::u16string& text);

}  // namespace OvGraphFileLib
