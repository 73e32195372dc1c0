#pragma once

#include <array>
#include <vector>

#include "filelib/ICh.h"

namespace OvGraphFileLib {

// One block of a cra file: a 128-byte block header and its 16-byte records (time in seconds,
// value as a double). Block header bytes: 0-31 channel name (8-bit text ending at the first zero
// byte), 32-33 channel type, 34 flags (bit 0: the upper limit at 48 is given, bit 1: the lower
// limit at 40 is given), 36-39 record count, 56-59 serial number, 60 decimal places (signed),
// 64-71 time difference in ms (local minus UTC; the largest 64-bit value: not given). Other bytes
// are kept as read. The channel stores itself in the same layout.
class FileCraCh : public ICh {
public:
    static constexpr size_t kHeaderSize = 128;
    static constexpr size_t kRecordSize = 16;

    // Throw Result: write 1100 (header) and 1101 (data), read 1110 and 1111; a block that fails
    // Validate is 55 at 1120 or 1121.
    void SaveImpl(std::ostream& out) const override;
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "FileCraCh"; }
    std::shared_ptr<ICh> Clone() const override { return std::make_shared<FileCraCh>(*this); }
    RawDataList GetRawData() const override;
    uint32_t GetSerialNo() const override;
    std::u16string GetModel() const override { return {}; }
    std::u16string GetBaseName() const override { return {}; }
    std::u16string GetLoggerName() const override { return {}; }
    std::u16string GetChName() const override;
    int64_t GetInterval() const override { return -1; }
    int32_t GetDataCount() const override { return int32_t(m_records.size() / kRecordSize); }
    uint16_t GetChType() const override;
    int8_t GetDecimalPlaces() const override { return int8_t(m_header[60]); }
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

    // When either limit flag is set the lower limit must not exceed the upper (55 at 1120); the
    // data must hold exactly count x 16 bytes (55 at 1121).
    void Validate(const char* where) const;

    std::array<uint8_t, kHeaderSize>& Header() { return m_header; }
    std::vector<uint8_t>& Records() { return m_records; }
    uint32_t HeaderRecordCount() const;

private:
    std::array<uint8_t, kHeaderSize> m_header{};
    std::vector<uint8_t> m_records;
};

}  // namespace OvGraphFileLib
