#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvel::detail {

// A channel type decodes, converts and formats the samples of one channel type code.
//
// Raw codes are what the logger stored: 16-bit, except for the 32-bit cumulative pulse type.
// Every 16-bit operation has a 32-bit twin; here in the base the twin narrows the code to 16 bits
// and calls the 16-bit form. "Integer" means the value in units of the last displayed digit
// (tenths of a degree for temperature); the value is that integer divided by 10^ValueDecimals().
//
// Type objects hold no data: each concrete class has one instance, handed out by OvChTypeOf().
class OvChTypeBase {
public:
    virtual ~OvChTypeBase() = default;

    virtual bool IsAvailable() const { return true; }
    // The two bytes, in file order, a writer stores for a missing sample; empty when there are none.
    virtual std::vector<uint8_t> GetInvalidBytes() const { return {}; }
    virtual int GetRawSize() const { return 2; }

    virtual bool IsInvalid(uint16_t raw) const = 0;
    virtual bool IsInvalid32(uint32_t raw) const;
    virtual uint16_t GetMaxRaw() const = 0;
    virtual uint32_t GetMaxRaw32() const;
    virtual uint16_t GetMinRaw() const = 0;
    virtual uint32_t GetMinRaw32() const;
    // One displayed digit up or down; the code is returned unchanged at the valid bounds.
    virtual uint16_t StepUp(uint16_t raw) const;
    virtual uint32_t StepUp32(uint32_t raw) const;
    virtual uint16_t StepDown(uint16_t raw) const;
    virtual uint32_t StepDown32(uint32_t raw) const;
    virtual int64_t RawToInt(uint16_t raw) const = 0;
    virtual int64_t RawToInt32(uint32_t raw) const;
    virtual uint16_t IntToRaw(int64_t integer) const = 0;
    virtual uint32_t IntToRaw32(int64_t integer) const;
    virtual double RawToValue(uint16_t raw) const;
    virtual double RawToValue32(uint32_t raw) const;
    virtual uint16_t ValueToRaw(double value) const;
    virtual uint32_t ValueToRaw32(double value) const;
    // "----" for a no-data code; with the unit, one space and the unit follow.
    virtual std::u16string FormatRaw(uint16_t raw, bool withUnit) const;
    virtual std::u16string FormatRaw32(uint32_t raw, bool withUnit) const;
    // The number alone: no unit, no no-data test, never auto-ranged.
    virtual std::u16string FormatInt(uint16_t raw) const;
    virtual std::string FormatIntNarrow(uint16_t raw) const;
    // The value stored for a sample: RawToValue, kept to about four significant digits by some types.
    virtual double GetDataValue(uint16_t raw) const;
    virtual double GetDataValue32(uint32_t raw) const;
    virtual std::u16string GetUnit() const { return {}; }

    // Power of ten between the integer and the value: 1 for tenths, 2 for hundredths, 0 for counts.
    virtual int ValueDecimals() const { return 0; }

protected:
    // The number text of FormatRaw (auto-ranging types also choose the unit prefix here).
    // Writes the unit part into *unitText when it is not null.
    virtual std::u16string DisplayText(int64_t integer, std::u16string* unitText) const;

    // Steps the integer by the smallest amount that changes the raw code, within the valid bounds.
    uint16_t StepInteger(uint16_t raw, int direction) const;
};

}  // namespace orvel::detail
