#pragma once

#include <vector>

#include "filelib/FileKmvChRecord.h"
#include "filelib/ICh.h"

namespace OvGraphFileLib {

// One channel record of a kmw file: the kmv channel record layout (256-byte header, count 16-bit
// samples, padding to 16 bytes), with its own type byte coding and without serial number, limits
// or time-zone fields. It stores itself in the same layout, so the bytes written are the bytes read.
class FileKmwCh : public ICh {
public:
    // Throw Result: write locations 3300-3302, read locations 3310-3312.
    void SaveImpl(std::ostream& out) const override;
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "FileKmwCh"; }
    std::shared_ptr<ICh> Clone() const override { return std::make_shared<FileKmwCh>(*this); }
    RawDataList GetRawData() const override;
    uint32_t GetSerialNo() const override { return 0; }
    std::u16string GetModel() const override { return {}; }
    std::u16string GetBaseName() const override { return {}; }
    std::u16string GetLoggerName() const override { return {}; }
    std::u16string GetChName() const override { return m_record.header.ChName(); }
    int64_t GetInterval() const override { return m_record.header.IntervalSeconds() * 1000; }
    int32_t GetDataCount() const override { return m_record.header.RecordCount(); }
    // Type byte 13 -> 13, 14 -> 14, 208 and 209 -> 209, 224 -> 146, others 0.
    uint16_t GetChType() const override;
    // 3 for type byte 224, else 1.
    int8_t GetDecimalPlaces() const override { return m_record.header.TypeByte() == 224 ? 3 : 1; }
    double GetUpperLimit() const override;
    double GetLowerLimit() const override;
    int64_t GetFirstTime() const override;
    int64_t GetLastTime() const override;
    int64_t GetTimeDiff() const override;
    int64_t GetStdBias() const override;
    int64_t GetDstBias() const override;
    std::u16string GetAuxText() const override { return {}; }
    std::u16string GetScaleExpr() const override { return {}; }
    uint8_t GetRecordProp() const override { return 0; }

    const FileKmvChHeader& Header() const { return m_record.header; }
    const std::vector<uint8_t>& Samples() const { return m_record.samples.Get(); }

private:
    FileKmvChRecord m_record;
};

}  // namespace OvGraphFileLib
