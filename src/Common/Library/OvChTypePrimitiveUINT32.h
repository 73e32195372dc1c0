#pragma once

#include "Common/Library/OvChTypeBase.h"

namespace orvel::detail {

// Plain unsigned 32-bit counts. Only the 32-bit operations exist: every 16-bit form is refused
// with SeriousError, since a 16-bit code cannot hold such a sample.
class OvChTypePrimitiveUINT32 : public OvChTypeBase {
public:
    int GetRawSize() const override { return 4; }

    bool IsInvalid(uint16_t raw) const override;
    bool IsInvalid32(uint32_t) const override { return false; }
    uint16_t GetMaxRaw() const override;
    uint32_t GetMaxRaw32() const override { return 0xFFFFFFFFu; }
    uint16_t GetMinRaw() const override;
    uint32_t GetMinRaw32() const override { return 0; }
    uint16_t StepUp(uint16_t raw) const override;
    uint32_t StepUp32(uint32_t raw) const override { return raw < GetMaxRaw32() ? raw + 1 : raw; }
    uint16_t StepDown(uint16_t raw) const override;
    uint32_t StepDown32(uint32_t raw) const override { return raw > GetMinRaw32() ? raw - 1 : raw; }
    int64_t RawToInt(uint16_t raw) const override;
    int64_t RawToInt32(uint32_t raw) const override { return raw; }
    uint16_t IntToRaw(int64_t integer) const override;
    uint32_t IntToRaw32(int64_t integer) const override { return uint32_t(integer); }
    double RawToValue(uint16_t raw) const override;
    double RawToValue32(uint32_t raw) const override { return double(raw); }
    uint16_t ValueToRaw(double value) const override;
    uint32_t ValueToRaw32(double value) const override;
    std::u16string FormatRaw(uint16_t raw, bool withUnit) const override;
    std::u16string FormatRaw32(uint32_t raw, bool withUnit) const override;
    std::u16string FormatInt(uint16_t raw) const override;
    std::string FormatIntNarrow(uint16_t raw) const override;
    double GetDataValue(uint16_t raw) const override;
    double GetDataValue32(uint32_t raw) const override { return double(raw); }
};

class OvChTypePULSE_KP808_CUMULATIVE : public OvChTypePrimitiveUINT32 {
public:
    std::u16string GetUnit() const override { return u"pulse"; }
};

}  // namespace orvel::detail
