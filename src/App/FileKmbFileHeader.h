#pragma once

#include <cstdint>

#include "filelib/IBlock.h"

namespace ovgApp {

// The 32 uncompressed bytes at the start of a graph document (.kmb): "KMB", the 16-bit version,
// the compression flag (1 = the body is one gzip stream, 0 = stored plainly), the 16-bit number
// of channel records, the temperature unit the document showed, 23 reserved zero bytes.
class FileKmbFileHeader : public OvGraphFileLib::IBlock {
public:
    static constexpr size_t kSize = 32;
    // Written; this and every lower version read with the same layout, higher ones are refused.
    static constexpr uint16_t kVersion = 6;
    // Byte 8: the document's temperature display when it had a temperature channel.
    enum TemperatureUnit : uint8_t { kNoTemperature = 0, kCelsius = 1, kFahrenheit = 2 };

    // Throws Result: code 51 at 5100.
    void SaveImpl(std::ostream& out) const override;
    // Throws Result: fewer than 32 bytes code 52 at 5110, another magic code 53 at 5111. The
    // version is checked by the document (FileKmb).
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "FileKmbFileHeader"; }

    uint16_t GetVersion() const { return m_version; }
    void SetVersion(uint16_t version) { m_version = version; }
    // Any byte other than 0 reads as compressed.
    bool IsCompressed() const { return m_compressed != 0; }
    void SetCompressed(bool compressed) { m_compressed = compressed ? 1 : 0; }
    uint16_t GetChCount() const { return m_chCount; }
    void SetChCount(uint16_t count) { m_chCount = count; }
    uint8_t GetTemperatureUnit() const { return m_temperatureUnit; }
    void SetTemperatureUnit(uint8_t unit) { m_temperatureUnit = unit; }

private:
    uint16_t m_version = kVersion;
    uint8_t m_compressed = 1;
    uint16_t m_chCount = 0;
    uint8_t m_temperatureUnit = kNoTemperature;
};

}  // namespace ovgApp
