#pragma once

#include <span>

#include "Common/Library/OvChTypeBase.h"

namespace orvel::detail {

struct AutoRangeTable;
struct RoundingStep;

// Exponent coding: integer = (raw & 0x0FFF) << (raw >> 12), a 12-bit mantissa with a 4-bit exponent.
// Texts are auto-ranged (the unit prefix follows the magnitude) and stored values keep about
// four significant digits.
class OvChTypeILLUMINANCE : public OvChTypeBase {
public:
    std::vector<uint8_t> GetInvalidBytes() const override { return {0xEE, 0xEE}; }
    bool IsInvalid(uint16_t raw) const override { return raw == 0xEEEE; }
    uint16_t GetMaxRaw() const override { return 55885; }
    uint16_t GetMinRaw() const override { return 0; }
    int64_t RawToInt(uint16_t raw) const override { return int64_t(raw & 0x0FFF) << (raw >> 12); }
    uint16_t IntToRaw(int64_t integer) const override;
    double GetDataValue(uint16_t raw) const override;
    std::u16string GetUnit() const override { return u"lx"; }
    int ValueDecimals() const override { return 2; }

protected:
    std::u16string DisplayText(int64_t integer, std::u16string* unitText) const override;
    virtual const AutoRangeTable& RangeTable() const;
    // The rounding steps of GetDataValue, largest threshold first.
    virtual std::span<const RoundingStep> RoundingSteps() const;
};

class OvChTypeILLUMINANCE_CUMULATIVE : public OvChTypeILLUMINANCE {
public:
    std::vector<uint8_t> GetInvalidBytes() const override { return {}; }
    bool IsInvalid(uint16_t) const override { return false; }
    uint16_t GetMaxRaw() const override { return 64190; }
    std::u16string GetUnit() const override { return u"lxh"; }
    int ValueDecimals() const override { return 0; }

protected:
    const AutoRangeTable& RangeTable() const override;
    std::span<const RoundingStep> RoundingSteps() const override;
};

class OvChTypeUV_INTENSITY : public OvChTypeILLUMINANCE {
public:
    uint16_t GetMaxRaw() const override { return 39399; }
    std::u16string GetUnit() const override { return u"W/cm2"; }
    int ValueDecimals() const override { return 3; }

protected:
    const AutoRangeTable& RangeTable() const override;
    std::span<const RoundingStep> RoundingSteps() const override;
};

class OvChTypeUV_INTENSITY_CUMULATIVE : public OvChTypeILLUMINANCE {
public:
    std::vector<uint8_t> GetInvalidBytes() const override { return {}; }
    bool IsInvalid(uint16_t) const override { return false; }
    uint16_t GetMaxRaw() const override { return 61165; }
    std::u16string GetUnit() const override { return u"W/cm2h"; }
    int ValueDecimals() const override { return 6; }

protected:
    const AutoRangeTable& RangeTable() const override;
    std::span<const RoundingStep> RoundingSteps() const override;
};

}  // namespace orvel::detail
