#pragma once

#include <vector>

#include "filelib/FileKmvChHeader.h"
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
    std::u16string GetChName() const override { return m_header.ChName(); }
    int64_t GetInterval() const override { return m_header.IntervalSeconds() * 1000; }
    int32_t GetDataCount() const override { return m_header.RecordCount(); }
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

    const FileKmvChHeader& Header() const { return m_header; }
    FileKmvChHeader& Header() { return m_header; }
    // count * 2 bytes of 16-bit little-endian codes.
    const std::vector<uint8_t>& Samples() const { return m_samples; }
    // Sets the samples and the padding that follows them.
    void SetSamples(std::vector<uint8_t> samples);

    // Bytes of padding after count * 2 sample bytes (0 to 15).
    static size_t PaddingFor(size_t sampleBytes) { return ((sampleBytes + 15) & ~size_t(15)) - sampleBytes; }

private:
    double LimitFromCode(uint16_t code, bool upper) const;

    FileKmvChHeader m_header;
    std::vector<uint8_t> m_samples;
    std::vector<uint8_t> m_padding;
};

}  // namespace OvGraphFileLib
