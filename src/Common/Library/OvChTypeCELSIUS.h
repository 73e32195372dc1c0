#pragma once

#include "Common/Library/OvChTypeBase.h"

namespace orvel::detail {

// Celsius coding: the raw code read as a signed 16-bit number, minus 1000, gives tenths of the unit.
// No-data code 0xEEEE. The subclasses below share the coding and differ in conversion and unit.
class OvChTypeCELSIUS : public OvChTypeBase {
public:
    std::vector<uint8_t> GetInvalidBytes() const override { return {0xEE, 0xEE}; }
    bool IsInvalid(uint16_t raw) const override { return raw == 0xEEEE; }
    uint16_t GetMaxRaw() const override { return 31000; }
    uint16_t GetMinRaw() const override { return 63806; }  // -1730 as signed: -273.0 degrees
    int64_t RawToInt(uint16_t raw) const override { return int64_t(int16_t(raw)) - 1000; }
    uint16_t IntToRaw(int64_t integer) const override { return uint16_t(integer + 1000); }
    std::u16string GetUnit() const override { return u"°C"; }
    int ValueDecimals() const override { return 1; }
};

// Stores Celsius codes and shows Fahrenheit: tenths * 1.8 rounded down, + 32 degrees.
class OvChTypeFAHRENHEIT : public OvChTypeCELSIUS {
public:
    int64_t RawToInt(uint16_t raw) const override;
    uint16_t IntToRaw(int64_t integer) const override;
    std::u16string GetUnit() const override { return u"°F"; }
};

// Relative humidity in whole percent: the value and its text drop the tenth (truncated toward zero).
class OvChTypeHUMIDITY : public OvChTypeCELSIUS {
public:
    uint16_t StepUp(uint16_t raw) const override;
    uint16_t StepDown(uint16_t raw) const override;
    double RawToValue(uint16_t raw) const override;
    std::string FormatIntNarrow(uint16_t raw) const override;
    std::u16string GetUnit() const override { return u"%"; }

protected:
    std::u16string DisplayText(int64_t integer, std::u16string* unitText) const override;
};

// Relative humidity in tenths of a percent.
class OvChTypeHUMIDITY_H : public OvChTypeCELSIUS {
public:
    std::u16string GetUnit() const override { return u"%"; }
};

// Atmospheric pressure in tenths of a hectopascal, raw code unsigned.
class OvChTypeATMOSPHERIC_PRESSURE : public OvChTypeCELSIUS {
public:
    uint16_t GetMaxRaw() const override { return 61165; }
    uint16_t GetMinRaw() const override { return 0; }
    int64_t RawToInt(uint16_t raw) const override { return raw; }
    uint16_t IntToRaw(int64_t integer) const override { return uint16_t(integer); }
    std::u16string GetUnit() const override { return u"hPa"; }
};

// Atmospheric pressure in hundredths of a hectopascal, offset by 500.00 hPa.
class OvChTypeATMOSPHERIC_PRESSURE_H : public OvChTypeCELSIUS {
public:
    uint16_t GetMaxRaw() const override { return 61152; }
    uint16_t GetMinRaw() const override { return 0; }
    int64_t RawToInt(uint16_t raw) const override { return int64_t(raw) + 50000; }
    uint16_t IntToRaw(int64_t integer) const override { return uint16_t(integer - 50000); }
    std::u16string GetUnit() const override { return u"hPa"; }
    int ValueDecimals() const override { return 2; }
};

}  // namespace orvel::detail
