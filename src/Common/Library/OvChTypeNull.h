#pragma once

#include "Common/Library/OvChTypeBase.h"

namespace orvel::detail {

// The type of every code the lookup table does not list: raw codes are plain numbers and are
// never no-data.
class OvChTypeNull : public OvChTypeBase {
public:
    int GetRawSize() const override { return 0; }
    bool IsInvalid(uint16_t) const override { return false; }
    uint16_t GetMaxRaw() const override { return 0xFFFF; }
    uint16_t GetMinRaw() const override { return 0; }
    int64_t RawToInt(uint16_t raw) const override { return raw; }
    uint16_t IntToRaw(int64_t integer) const override { return uint16_t(integer); }
    uint16_t ValueToRaw(double value) const override;
};

}  // namespace orvel::detail
