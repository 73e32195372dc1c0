#pragma once

#include <span>

#include "Common/Library/OvChTypeBase.h"

namespace orvel::detail {

struct AutoRangeTable;
struct RoundingStep;

// Signed exponent coding: bit 15 the sign, bits 12-14 the exponent e, bits 0-11 the mantissa m.
// Positive: m << e; negative: -((~m & 0x0FFF) + 1) << e. Codes 0xF000 to 0xF00F mean no data.
class OvChTypeFloatingPointNumberType0 : public OvChTypeBase {
public:
    bool IsInvalid(uint16_t raw) const override { return raw >= 0xF000 && raw <= 0xF00F; }
    uint16_t GetMaxRaw() const override { return 32767; }
    uint16_t GetMinRaw() const override { return 61440; }
    int64_t RawToInt(uint16_t raw) const override;
    uint16_t IntToRaw(int64_t integer) const override;
};

class OvChTypeCO2 : public OvChTypeFloatingPointNumberType0 {
public:
    std::vector<uint8_t> GetInvalidBytes() const override { return {0x00, 0xF0}; }
    std::u16string GetUnit() const override { return u"ppm"; }
};

// Current, integer in 0.01 mA; auto-ranged between "mA" and "A".
class OvChTypeCURRENT_10_MICRO_A : public OvChTypeFloatingPointNumberType0 {
public:
    std::vector<uint8_t> GetInvalidBytes() const override { return {0x0F, 0xF0}; }
    std::u16string GetUnit() const override { return u"mA"; }
    int ValueDecimals() const override { return 2; }

protected:
    std::u16string DisplayText(int64_t integer, std::u16string* unitText) const override;
};

// Voltage, integer in 0.1 mV; auto-ranged between "mV" and "V", stored to four digits.
class OvChTypeVOLTAGE_100_MICRO_V : public OvChTypeFloatingPointNumberType0 {
public:
    std::vector<uint8_t> GetInvalidBytes() const override { return {0x0F, 0xF0}; }
    double GetDataValue(uint16_t raw) const override;
    std::u16string GetUnit() const override { return u"mV"; }
    int ValueDecimals() const override { return 1; }

protected:
    std::u16string DisplayText(int64_t integer, std::u16string* unitText) const override;
};

// Level in 0.1 dB, stored to four digits.
class OvChTypeLX_100_MICRO_DB : public OvChTypeFloatingPointNumberType0 {
public:
    std::vector<uint8_t> GetInvalidBytes() const override { return {0x0F, 0xF0}; }
    double GetDataValue(uint16_t raw) const override;
    std::u16string GetUnit() const override { return u"dB"; }
    int ValueDecimals() const override { return 1; }
};

}  // namespace orvel::detail
