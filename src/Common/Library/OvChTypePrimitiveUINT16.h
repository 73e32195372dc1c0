#pragma once

#include "Common/Library/OvChTypeBase.h"

namespace orvel::detail {

// Plain unsigned 16-bit counts; the subclasses add their no-data rules, bounds and units.
class OvChTypePrimitiveUINT16 : public OvChTypeBase {
public:
    bool IsInvalid(uint16_t) const override { return false; }
    uint16_t GetMaxRaw() const override { return 0xFFFF; }
    uint16_t GetMinRaw() const override { return 0; }
    int64_t RawToInt(uint16_t raw) const override { return raw; }
    uint16_t IntToRaw(int64_t integer) const override { return uint16_t(integer); }
};

class OvChTypePULSE_KP808 : public OvChTypePrimitiveUINT16 {
public:
    std::vector<uint8_t> GetInvalidBytes() const override { return {0x02, 0xF0}; }
    bool IsInvalid(uint16_t raw) const override { return raw > 61439; }
    uint16_t GetMaxRaw() const override { return 61439; }
    std::u16string GetUnit() const override { return u"pulse"; }
};

class OvChTypePULSE_QXA41 : public OvChTypePrimitiveUINT16 {
public:
    std::vector<uint8_t> GetInvalidBytes() const override { return {0xEE, 0xEE}; }
    bool IsInvalid(uint16_t raw) const override { return (raw & 0x8000) != 0; }
    uint16_t GetMaxRaw() const override { return 16383; }
    std::u16string GetUnit() const override { return u"pulse"; }
};

// Millivolts in bits 0-13, negative when bit 14 is set; the value is in volts, the text in
// millivolts (" mV").
class OvChTypeVOLTAGE_QXA41 : public OvChTypePrimitiveUINT16 {
public:
    std::vector<uint8_t> GetInvalidBytes() const override { return {0xEE, 0xEE}; }
    bool IsInvalid(uint16_t raw) const override { return (raw & 0x8000) != 0; }
    uint16_t GetMaxRaw() const override { return 16383; }
    uint16_t GetMinRaw() const override { return 32767; }  // -16383 mV
    int64_t RawToInt(uint16_t raw) const override;
    uint16_t IntToRaw(int64_t integer) const override;
    std::string FormatIntNarrow(uint16_t raw) const override;
    std::u16string GetUnit() const override { return u"V"; }
    int ValueDecimals() const override { return 3; }

protected:
    std::u16string DisplayText(int64_t integer, std::u16string* unitText) const override;
};

class OvChTypeJX5_UINT16 : public OvChTypePrimitiveUINT16 {
public:
    std::vector<uint8_t> GetInvalidBytes() const override { return {0xFF, 0xFF}; }
    bool IsInvalid(uint16_t raw) const override { return raw >= 61440; }
    uint16_t GetMaxRaw() const override { return 61439; }
};

}  // namespace orvel::detail
