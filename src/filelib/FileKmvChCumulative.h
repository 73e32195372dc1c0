#pragma once

#include "filelib/FileKmvCh.h"

namespace OvGraphFileLib {

// The cumulative illuminance (type 329) or cumulative UV (type 341) channel that a kmv
// illuminance or UV channel carries in its header. It has no fixed interval; its records are
// FileKmvChCumulativeRawData records.
class FileKmvChCumulative : public ICh {
public:
    FileKmvChCumulative() = default;
    // The channel derived from a kmv channel whose header marks cumulative data: one record.
    explicit FileKmvChCumulative(const FileKmvCh& source);

    // Throw Result: the source header, a 32-bit record count and the records;
    // write locations 3320-3322, read locations 3330-3332.
    void SaveImpl(std::ostream& out) const override;
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "FileKmvChCumulative"; }
    std::shared_ptr<ICh> Clone() const override { return std::make_shared<FileKmvChCumulative>(*this); }
    RawDataList GetRawData() const override;
    uint32_t GetSerialNo() const override { return m_source.GetSerialNo(); }
    std::u16string GetModel() const override { return {}; }
    std::u16string GetBaseName() const override { return {}; }
    std::u16string GetLoggerName() const override { return {}; }
    // Japanese when the serial number's top four bits are 5 or 14, else English.
    std::u16string GetChName() const override;
    int64_t GetInterval() const override { return -1; }
    int32_t GetDataCount() const override { return int32_t(m_records.size() / kRecordSize); }
    uint16_t GetChType() const override;
    int8_t GetDecimalPlaces() const override { return -1; }
    double GetUpperLimit() const override;
    double GetLowerLimit() const override;
    int64_t GetFirstTime() const override;
    int64_t GetLastTime() const override;
    int64_t GetTimeDiff() const override { return m_source.GetTimeDiff(); }
    int64_t GetStdBias() const override { return m_source.GetStdBias(); }
    int64_t GetDstBias() const override { return m_source.GetDstBias(); }
    std::u16string GetAuxText() const override { return {}; }
    std::u16string GetScaleExpr() const override { return {}; }
    uint8_t GetRecordProp() const override { return 0; }

private:
    static constexpr size_t kRecordSize = 10;

    FileKmvCh m_source;  // header only: the identification and time zone come from it
    std::vector<uint8_t> m_records;
};

}  // namespace OvGraphFileLib
