#pragma once

#include <vector>

#include "filelib/FileKe8ChHeader.h"
#include "filelib/ICh.h"

namespace OvGraphFileLib {

// One channel record of a ke8 file: the 256-byte channel header, the stored 16-bit codes and the
// padding to a 16-byte boundary. It stores itself in the same layout (a graph document keeps ke8
// channels this way), so the bytes written are the bytes read.
//
// Channels of kinds 27 to 29 store runs: a code from 0xF001 to 0xFFEF stands for (code AND
// 0x0FFF) records of raw code 0 (intervals without counts), every other code for one record.
class FileKe8Ch : public ICh {
public:
    // Throw Result: write locations 2200-2202, read locations 2210 (header), 2310 (samples; also
    // code 55 when the channel, runs expanded, holds more than 100,000,000 records) and 2311
    // (padding).
    void SaveImpl(std::ostream& out) const override;
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "FileKe8Ch"; }
    std::shared_ptr<ICh> Clone() const override { return std::make_shared<FileKe8Ch>(*this); }
    // One FileKe8ChRawData block with the records (runs expanded) and the scale conversion.
    RawDataList GetRawData() const override;
    uint32_t GetSerialNo() const override { return 0; }
    std::u16string GetModel() const override { return {}; }
    std::u16string GetBaseName() const override { return {}; }
    std::u16string GetLoggerName() const override { return {}; }
    std::u16string GetChName() const override { return m_header.ChName(); }
    // The interval field in ms; a field in seconds (byte 53 zero) is multiplied by 1000.
    int64_t GetInterval() const override;
    // Stored samples, or the expanded record count for kinds 27 to 29.
    int32_t GetDataCount() const override { return m_dataCount; }
    uint16_t GetChType() const override;
    int8_t GetDecimalPlaces() const override;
    double GetUpperLimit() const override;
    double GetLowerLimit() const override;
    // -1 without stored samples, else (start + offset seconds) x 1000.
    int64_t GetFirstTime() const override;
    int64_t GetLastTime() const override;
    int64_t GetTimeDiff() const override;
    int64_t GetStdBias() const override;
    int64_t GetDstBias() const override;
    std::u16string GetAuxText() const override { return m_header.AuxText(); }
    std::u16string GetScaleExpr() const override { return {}; }
    uint8_t GetRecordProp() const override { return 0; }

    const FileKe8ChHeader& Header() const { return m_header; }
    // count * 2 bytes of 16-bit little-endian codes, as stored.
    const std::vector<uint8_t>& Samples() const { return m_samples; }


private:
    bool StoresRuns() const;
    // The number of records the stored codes stand for.
    uint64_t CountRecords() const;

    FileKe8ChHeader m_header;
    std::vector<uint8_t> m_samples;
    std::vector<uint8_t> m_padding;
    int32_t m_dataCount = 0;
};

}  // namespace OvGraphFileLib
