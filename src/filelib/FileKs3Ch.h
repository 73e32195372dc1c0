#pragma once

#include <vector>

#include "filelib/FileKe8ChHeader.h"
#include "filelib/ICh.h"

namespace OvGraphFileLib {

// One channel block of a ks3 file: a 256-byte block header in the ke8 channel header layout and
// the 16-bit samples, padded with zeros to a multiple of 16 bytes. Every ks3 channel has the
// channel type 384. Block header bytes the channel reads besides the ke8 ones: 53 the interval
// unit (0 seconds, 1 milliseconds, anything else: no interval), 176 and 184 the scale factor and
// offset as stored (doubles), 192-207 the unit text (8-bit, ending at the first zero byte).
// The channel stores itself in the same layout.
class FileKs3Ch : public ICh {
public:
    static constexpr uint16_t kChType = 384;

    // Throw Result: write 4100-4102, read 4110-4112.
    void SaveImpl(std::ostream& out) const override;
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "FileKs3Ch"; }
    std::shared_ptr<ICh> Clone() const override { return std::make_shared<FileKs3Ch>(*this); }
    RawDataList GetRawData() const override;
    uint32_t GetSerialNo() const override { return 0; }
    std::u16string GetModel() const override { return {}; }
    std::u16string GetBaseName() const override { return {}; }
    std::u16string GetLoggerName() const override { return {}; }
    std::u16string GetChName() const override { return m_header.ChName(); }
    int64_t GetInterval() const override;
    int32_t GetDataCount() const override { return int32_t(m_samples.size() / 2); }
    uint16_t GetChType() const override { return kChType; }
    int8_t GetDecimalPlaces() const override { return -1; }
    double GetUpperLimit() const override;
    double GetLowerLimit() const override;
    int64_t GetFirstTime() const override;
    int64_t GetLastTime() const override;
    int64_t GetTimeDiff() const override;
    int64_t GetStdBias() const override { return GetTimeDiff(); }
    int64_t GetDstBias() const override { return GetTimeDiff(); }
    std::u16string GetAuxText() const override { return {}; }
    // "\n\n\n\n" when factor and offset are both zero; else "factor\noffset\ndecimals\nunit\n"
    // with six decimals for the two numbers.
    std::u16string GetScaleExpr() const override;
    uint8_t GetRecordProp() const override { return 0; }

    FileKe8ChHeader& Header() { return m_header; }
    std::vector<uint8_t>& Samples() { return m_samples; }
    std::u16string GetUnit() const;

private:
    FileKe8ChHeader m_header;
    std::vector<uint8_t> m_samples;
    std::vector<uint8_t> m_padding;
};

}  // namespace OvGraphFileLib
