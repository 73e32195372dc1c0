#pragma once

#include <vector>

#include "filelib/FileKmvChRecord.h"
#include "filelib/ICh.h"

namespace OvGraphFileLib {

// One channel record of a kmv file: the 256-byte channel header, count 16-bit samples and the
// padding to a 16-byte boundary. It stores itself in the same layout (a graph document keeps kmv
// channels this way), so the bytes written are the bytes read.
class FileKmvCh : public ICh {
public:
    // Throw Result: write locations 3300-3302, read locations 3310-3312.
    void SaveImpl(std::ostream& out) const override;
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "FileKmvCh"; }
    std::shared_ptr<ICh> Clone() const override { return std::make_shared<FileKmvCh>(*this); }
    RawDataList GetRawData() const override;
    uint32_t GetSerialNo() const override;
    std::u16string GetModel() const override { return {}; }
    std::u16string GetBaseName() const override { return {}; }
    std::u16string GetLoggerName() const override { return {}; }
    std::u16string GetChName() const override { return m_record.header.ChName(); }
    int64_t GetInterval() const override { return m_record.header.IntervalSeconds() * 1000; }
    int32_t GetDataCount() const override { return m_record.header.RecordCount(); }
    uint16_t GetChType() const override;
    int8_t GetDecimalPlaces() const override;
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
    FileKmvChHeader& Header() { return m_record.header; }
    // count * 2 bytes of 16-bit little-endian codes.
    const std::vector<uint8_t>& Samples() const { return m_record.samples.Get(); }
    // Sets the samples and the padding that follows them.
    void SetSamples(std::vector<uint8_t> samples) { m_record.SetSamples(std::move(samples)); }


private:
    double LimitFromCode(uint16_t code, bool upper) const;

    FileKmvChRecord m_record;
};

}  // namespace OvGraphFileLib
